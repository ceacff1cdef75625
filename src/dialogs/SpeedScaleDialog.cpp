#include "dialogs/SpeedScaleDialog.h"

#include <limits>

#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "display/SpeedBar.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"

namespace gradlog {

using namespace platform;

namespace {

namespace ids = controls::speed_scale;

}  // namespace

std::optional<int> RunSpeedScaleDialog(ConfigState& config, DisplayState& display, Hwnd owner) {
  SurveySettings& s = config.settings;
  return RunModalDialog(
      ids::TEMPLATE, owner,
      {.fill = [&s](Hwnd dialog) { SetDlgItemFixed(dialog, ids::MAX_SPEED_EDIT, s.speedMax, 2); },
       .store =
           [&](Hwnd dialog) {
             s.speedMax = GetDlgItemFloat(dialog, ids::MAX_SPEED_EDIT);
             display.speedPixelsPerUnit =
                 SpeedPixelsPerUnit(display.layout.curveWidth, s.speedMin, s.speedMax);
             SaveSettings(config);
             return DIALOG_ACCEPTED;
           }});
}

}  // namespace gradlog
