#include "dialogs/SpeedScaleDialog.h"

#include <limits>

#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Dialog.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char SPEED_SCALE_TEMPLATE[] = "GetNewSpeedScale";
constexpr int MAX_SPEED_EDIT = 903;

}  // namespace

float SpeedPixelsPerUnit(std::int32_t curveWidth, float speedMin, float speedMax) {
  const float span = speedMax - speedMin;
  if (span == 0.0f)
    return std::numeric_limits<float>::infinity();
  return static_cast<float>(curveWidth) / span;
}

std::optional<int> RunSpeedScaleDialog(AppState& app, Hwnd owner) {
  return RunModalDialog(SPEED_SCALE_TEMPLATE, owner,
                        {.fill =
                             [&app](Hwnd dialog) {
                               SetDlgItemFixed(dialog, MAX_SPEED_EDIT, app.settings.speedMax, 2);
                             },
                         .store =
                             [&app](Hwnd dialog) {
                               app.settings.speedMax = GetDlgItemFloat(dialog, MAX_SPEED_EDIT);
                               app.speedPixelsPerUnit = SpeedPixelsPerUnit(
                                   app.curveWidth, app.settings.speedMin, app.settings.speedMax);
                               SaveSettings(app);
                               return DIALOG_ACCEPTED;
                             }});
}

}  // namespace gradlog
