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

void Fill(const AppState& app, Hwnd dialog) {
  SetDlgItemFixed(dialog, MINIMUM_EDIT, app.settings.profileMin, 0);
  SetDlgItemFixed(dialog, MAXIMUM_EDIT, app.settings.profileMax, 0);
}

int Store(AppState& app, Hwnd dialog) {
  SurveySettings& s = app.settings;
  s.profileMin = GetDlgItemFloat(dialog, MINIMUM_EDIT);
  s.profileMax = GetDlgItemFloat(dialog, MAXIMUM_EDIT);
  if (!(s.profileMax > s.profileMin))
    s.profileMax = s.profileMin + SMALLEST_RANGE;
  RecomputeProfileScales(app);
  SaveSettings(app);
  if (app.restartProfileCurves)
    app.restartProfileCurves();
  return DIALOG_ACCEPTED;
}

}  // namespace

std::optional<int> RunProfileScaleDialog(AppState& app, Hwnd owner) {
  return RunModalDialog(PROFILE_SCALE_TEMPLATE, owner,
                        {.fill = [&app](Hwnd dialog) { Fill(app, dialog); },
                         .store = [&app](Hwnd dialog) { return Store(app, dialog); }});
}

}  // namespace gradlog
