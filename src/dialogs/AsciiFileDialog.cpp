#include "dialogs/AsciiFileDialog.h"

#include <array>

#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Dialog.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char ASCII_FILE_TEMPLATE[] = "GetAsciiFileSetup";

constexpr std::array<SettingsList, 3> LISTS{{
    {887, &SurveySettings::asciiLongitudeColumn},
    {888, &SurveySettings::asciiLatitudeColumn},
    {889, &SurveySettings::asciiDelimiter},
}};

}  // namespace

std::optional<int> RunAsciiFileDialog(AppState& app, Hwnd owner) {
  return RunModalDialog(
      ASCII_FILE_TEMPLATE, owner,
      {.fill = [&app](Hwnd dialog) { SelectSettingsLists(dialog, LISTS, app.settings); },
       .store =
           [&app](Hwnd dialog) {
             StoreSettingsLists(dialog, LISTS, app.settings);
             SaveSettings(app);
             return DIALOG_ACCEPTED;
           }});
}

}  // namespace gradlog
