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

std::optional<int> RunAsciiFileDialog(ConfigState& config, Hwnd owner) {
  return RunModalDialog(
      ASCII_FILE_TEMPLATE, owner,
      {.fill = [&config](Hwnd dialog) { SelectSettingsLists(dialog, LISTS, config.settings); },
       .store =
           [&config](Hwnd dialog) {
             StoreSettingsLists(dialog, LISTS, config.settings);
             SaveSettings(config);
             return DIALOG_ACCEPTED;
           }});
}

}  // namespace gradlog
