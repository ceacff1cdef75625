#include "dialogs/SystemSetupDialog.h"

#include "config/SettingChoices.h"
#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"

namespace gradlog {

using namespace platform;

namespace {

namespace ids = controls::system_setup;

// The template is shared with other instruments; these two labels name this one's choices.
constexpr char SENSORS_TEXT[] = "MAG Sensors";
constexpr char SENSOR_COUNT_TEXT[] = "# of Sensors";

void Fill(const ConfigState& config, Hwnd dialog) {
  SetDlgItemText(dialog, ids::SENSORS_LABEL, SENSORS_TEXT);
  SetDlgItemText(dialog, ids::SENSOR_COUNT_LABEL, SENSOR_COUNT_TEXT);
  SelectListEntry(dialog, ids::INSTRUMENT_LIST, config.settings.instrumentEnabled);
  SelectListValue(dialog, ids::SENSOR_COUNT_LIST, SENSOR_COUNTS, config.settings.gradSensorCount);
  SetDlgItemFixed(dialog, ids::OFFSET_X_EDIT, config.gpsOffsetX, 2);
  SetDlgItemFixed(dialog, ids::OFFSET_Y_EDIT, config.gpsOffsetY, 2);
}

int Store(ConfigState& config, Hwnd dialog) {
  StoreListSelection(dialog, ids::INSTRUMENT_LIST, config.settings.instrumentEnabled);
  StoreListValue(dialog, ids::SENSOR_COUNT_LIST, SENSOR_COUNTS, config.settings.gradSensorCount);
  config.gpsOffsetX = GetDlgItemFloat(dialog, ids::OFFSET_X_EDIT);
  config.gpsOffsetY = GetDlgItemFloat(dialog, ids::OFFSET_Y_EDIT);
  SaveSettings(config);
  return DIALOG_ACCEPTED;
}

}  // namespace

std::optional<int> RunSystemSetupDialog(ConfigState& config, Hwnd owner) {
  return RunModalDialog(ids::TEMPLATE, owner,
                        {.fill = [&config](Hwnd dialog) { Fill(config, dialog); },
                         .store = [&config](Hwnd dialog) { return Store(config, dialog); }});
}

}  // namespace gradlog
