#include "dialogs/ProfileScaleDialog.h"

#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "display/DisplayScales.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"

namespace gradlog {

using namespace platform;

namespace {

namespace ids = controls::profile_scale;

constexpr float SMALLEST_RANGE = 100.0f;

void Fill(const SurveySettings& settings, Hwnd dialog) {
  SetDlgItemFixed(dialog, ids::MINIMUM_EDIT, settings.profileMin, 0);
  SetDlgItemFixed(dialog, ids::MAXIMUM_EDIT, settings.profileMax, 0);
}

int Store(ConfigState& config, DisplayState& display, Hwnd dialog) {
  SurveySettings& s = config.settings;
  s.profileMin = GetDlgItemFloat(dialog, ids::MINIMUM_EDIT);
  s.profileMax = GetDlgItemFloat(dialog, ids::MAXIMUM_EDIT);
  if (!(s.profileMax > s.profileMin))
    s.profileMax = s.profileMin + SMALLEST_RANGE;
  RecomputeProfileScales(display.profile, display.layout, s);
  SaveSettings(config);
  if (display.restartProfileCurves)
    display.restartProfileCurves();
  return DIALOG_ACCEPTED;
}

}  // namespace

std::optional<int> RunProfileScaleDialog(ConfigState& config, DisplayState& display, Hwnd owner) {
  return RunModalDialog(ids::TEMPLATE, owner,
                        {.fill = [&config](Hwnd dialog) { Fill(config.settings, dialog); },
                         .store = [&](Hwnd dialog) { return Store(config, display, dialog); }});
}

}  // namespace gradlog
