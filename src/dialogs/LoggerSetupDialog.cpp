#include "dialogs/LoggerSetupDialog.h"

#include <array>

#include "config/SettingChoices.h"
#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"

namespace gradlog {

using namespace platform;

namespace {

namespace ids = controls::logger_setup;

constexpr char PORT_TEXT[] = "GRAD601 Port";

constexpr std::array<SettingsList, 6> LISTS{{
    {ids::PORT_LIST, &SurveySettings::instrumentPort},
    {ids::UNITS_LIST, &SurveySettings::distanceUnits},
    {ids::SPEED_UNITS_LIST, &SurveySettings::speedUnits},
    {ids::AUDIO_LIST, &SurveySettings::audio},
    {ids::PAUSE_KEY_LIST, &SurveySettings::pauseKey},
    {ids::DATA_STORAGE_LIST, &SurveySettings::dataStorage},
}};

void Fill(const ConfigState& config, Hwnd dialog) {
  SetDlgItemText(dialog, ids::PORT_LABEL, PORT_TEXT);
  SelectSettingsLists(dialog, LISTS, config.settings);
}

int Store(ConfigState& config, Hwnd dialog) {
  StoreSettingsLists(dialog, LISTS, config.settings);
  // Data files must go where they can be written.
  if (config.settings.dataStorage == DATA_STORAGE_CARD && config.storageCardPresent == 0)
    config.settings.dataStorage = DATA_STORAGE_C_DRIVE;
  SaveSettings(config);
  return DIALOG_ACCEPTED;
}

}  // namespace

std::optional<int> RunLoggerSetupDialog(ConfigState& config, Hwnd owner) {
  return RunModalDialog(ids::TEMPLATE, owner,
                        {.fill = [&config](Hwnd dialog) { Fill(config, dialog); },
                         .store = [&config](Hwnd dialog) { return Store(config, dialog); }});
}

}  // namespace gradlog
