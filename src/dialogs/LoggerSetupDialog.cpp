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

void Fill(const AppState& app, Hwnd dialog) {
  SetDlgItemText(dialog, PORT_LABEL, PORT_TEXT);
  SelectSettingsLists(dialog, LISTS, app.settings);
}

int Store(AppState& app, Hwnd dialog) {
  StoreSettingsLists(dialog, LISTS, app.settings);
  // Data files must go where they can be written.
  if (app.settings.dataStorage == STORAGE_CARD && app.storageCardPresent == 0)
    app.settings.dataStorage = C_DRIVE;
  SaveSettings(app);
  return DIALOG_ACCEPTED;
}

}  // namespace

std::optional<int> RunLoggerSetupDialog(AppState& app, Hwnd owner) {
  return RunModalDialog(LOGGER_SETUP_TEMPLATE, owner,
                        {.fill = [&app](Hwnd dialog) { Fill(app, dialog); },
                         .store = [&app](Hwnd dialog) { return Store(app, dialog); }});
}

}  // namespace gradlog
