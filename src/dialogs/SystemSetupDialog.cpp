#include "dialogs/SystemSetupDialog.h"

#include "common/SafeConvert.h"
#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
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

void Fill(const ConfigState& config, Hwnd dialog) {
  SetDlgItemText(dialog, SENSORS_LABEL, SENSORS_TEXT);
  SetDlgItemText(dialog, SENSOR_COUNT_LABEL, SENSOR_COUNT_TEXT);
  SelectListEntry(dialog, INSTRUMENT_LIST, config.settings.instrumentEnabled);
  // Widened: a hand-edited file may hold the smallest int.
  SelectListEntry(dialog, SENSOR_COUNT_LIST,
                  ClampToInt32(std::int64_t{config.settings.gradSensorCount} - 1));
  SetDlgItemFixed(dialog, OFFSET_X_EDIT, config.gpsOffsetX, 2);
  SetDlgItemFixed(dialog, OFFSET_Y_EDIT, config.gpsOffsetY, 2);
}

int Store(ConfigState& config, Hwnd dialog) {
  StoreListSelection(dialog, INSTRUMENT_LIST, config.settings.instrumentEnabled);
  StoreListSelection(dialog, SENSOR_COUNT_LIST, config.settings.gradSensorCount, 1);
  config.gpsOffsetX = GetDlgItemFloat(dialog, OFFSET_X_EDIT);
  config.gpsOffsetY = GetDlgItemFloat(dialog, OFFSET_Y_EDIT);
  SaveSettings(config);
  return DIALOG_ACCEPTED;
}

}  // namespace

std::optional<int> RunSystemSetupDialog(ConfigState& config, Hwnd owner) {
  return RunModalDialog(SYSTEM_SETUP_TEMPLATE, owner,
                        {.fill = [&config](Hwnd dialog) { Fill(config, dialog); },
                         .store = [&config](Hwnd dialog) { return Store(config, dialog); }});
}

}  // namespace gradlog
