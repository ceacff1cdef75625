#include "dialogs/LoggerSetupDialog.h"

#include <array>

#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Dialog.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char LOGGER_SETUP_TEMPLATE[] = "GetLoggerSetup";
constexpr int PORT_LABEL = 801;
constexpr char PORT_TEXT[] = "GRAD601 Port";
constexpr std::int32_t C_DRIVE = 0;
constexpr std::int32_t STORAGE_CARD = 1;

constexpr std::array<SettingsList, 6> LISTS{{
    {810, &SurveySettings::instrumentPort},
    {811, &SurveySettings::distanceUnits},
    {812, &SurveySettings::speedUnits},
    {813, &SurveySettings::audio},
    {814, &SurveySettings::pauseKey},
    {815, &SurveySettings::dataStorage},
}};

void Fill(const ConfigState& config, Hwnd dialog) {
  SetDlgItemText(dialog, PORT_LABEL, PORT_TEXT);
  SelectSettingsLists(dialog, LISTS, config.settings);
}

int Store(ConfigState& config, Hwnd dialog) {
  StoreSettingsLists(dialog, LISTS, config.settings);
  // Data files must go where they can be written.
  if (config.settings.dataStorage == STORAGE_CARD && config.storageCardPresent == 0)
    config.settings.dataStorage = C_DRIVE;
  SaveSettings(config);
  return DIALOG_ACCEPTED;
}

}  // namespace

std::optional<int> RunLoggerSetupDialog(ConfigState& config, Hwnd owner) {
  return RunModalDialog(LOGGER_SETUP_TEMPLATE, owner,
                        {.fill = [&config](Hwnd dialog) { Fill(config, dialog); },
                         .store = [&config](Hwnd dialog) { return Store(config, dialog); }});
}

}  // namespace gradlog
