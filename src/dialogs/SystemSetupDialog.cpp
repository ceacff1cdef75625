#include "dialogs/SystemSetupDialog.h"

#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "display/SafeConvert.h"
#include "platform/ui/Dialog.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char SYSTEM_SETUP_TEMPLATE[] = "GetSystemSetup31";
constexpr int SENSORS_LABEL = 820;
constexpr int SENSOR_COUNT_LABEL = 821;
constexpr int INSTRUMENT_LIST = 830;
constexpr int SENSOR_COUNT_LIST = 831;
constexpr int OFFSET_X_EDIT = 833;
constexpr int OFFSET_Y_EDIT = 834;

// The template is shared with other instruments; these two labels name this one's choices.
constexpr char SENSORS_TEXT[] = "MAG Sensors";
constexpr char SENSOR_COUNT_TEXT[] = "# of Sensors";

void Fill(const AppState& app, Hwnd dialog) {
  SetDlgItemText(dialog, SENSORS_LABEL, SENSORS_TEXT);
  SetDlgItemText(dialog, SENSOR_COUNT_LABEL, SENSOR_COUNT_TEXT);
  SelectListEntry(dialog, INSTRUMENT_LIST, app.settings.instrumentEnabled);
  // Widened: a hand-edited file may hold the smallest int.
  SelectListEntry(dialog, SENSOR_COUNT_LIST,
                  ClampToInt32(std::int64_t{app.settings.gradSensorCount} - 1));
  SetDlgItemFixed(dialog, OFFSET_X_EDIT, app.gpsOffsetX, 2);
  SetDlgItemFixed(dialog, OFFSET_Y_EDIT, app.gpsOffsetY, 2);
}

int Store(AppState& app, Hwnd dialog) {
  StoreListSelection(dialog, INSTRUMENT_LIST, app.settings.instrumentEnabled);
  StoreListSelection(dialog, SENSOR_COUNT_LIST, app.settings.gradSensorCount, 1);
  app.gpsOffsetX = GetDlgItemFloat(dialog, OFFSET_X_EDIT);
  app.gpsOffsetY = GetDlgItemFloat(dialog, OFFSET_Y_EDIT);
  SaveSettings(app);
  return DIALOG_ACCEPTED;
}

}  // namespace

std::optional<int> RunSystemSetupDialog(AppState& app, Hwnd owner) {
  return RunModalDialog(SYSTEM_SETUP_TEMPLATE, owner,
                        {.fill = [&app](Hwnd dialog) { Fill(app, dialog); },
                         .store = [&app](Hwnd dialog) { return Store(app, dialog); }});
}

}  // namespace gradlog
