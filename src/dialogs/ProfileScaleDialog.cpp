#include "dialogs/ProfileScaleDialog.h"

#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "display/DisplayScales.h"
#include "platform/ui/Dialog.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char PROFILE_SCALE_TEMPLATE[] = "GetNewProfileScale";
constexpr int MINIMUM_EDIT = 783;
constexpr int MAXIMUM_EDIT = 784;
constexpr float SMALLEST_RANGE = 100.0f;

void Fill(const SurveySettings& settings, Hwnd dialog) {
  SetDlgItemFixed(dialog, MINIMUM_EDIT, settings.profileMin, 0);
  SetDlgItemFixed(dialog, MAXIMUM_EDIT, settings.profileMax, 0);
}

int Store(ConfigState& config, DisplayState& display, Hwnd dialog) {
  SurveySettings& s = config.settings;
  s.profileMin = GetDlgItemFloat(dialog, MINIMUM_EDIT);
  s.profileMax = GetDlgItemFloat(dialog, MAXIMUM_EDIT);
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
  return RunModalDialog(PROFILE_SCALE_TEMPLATE, owner,
                        {.fill = [&config](Hwnd dialog) { Fill(config.settings, dialog); },
                         .store = [&](Hwnd dialog) { return Store(config, display, dialog); }});
}

}  // namespace gradlog
