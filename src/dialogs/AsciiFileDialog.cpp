#include "dialogs/AsciiFileDialog.h"

#include <array>

#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"

namespace gradlog {

using namespace platform;

namespace {

namespace ids = controls::ascii_file;

constexpr std::array<SettingsList, 3> LISTS{{
    {ids::LONGITUDE_LIST, &SurveySettings::asciiLongitudeColumn},
    {ids::LATITUDE_LIST, &SurveySettings::asciiLatitudeColumn},
    {ids::DELIMITER_LIST, &SurveySettings::asciiDelimiter},
}};

}  // namespace

std::optional<int> RunAsciiFileDialog(ConfigState& config, Hwnd owner) {
  return RunModalDialog(
      ids::TEMPLATE, owner,
      {.fill = [&config](Hwnd dialog) { SelectSettingsLists(dialog, LISTS, config.settings); },
       .store =
           [&config](Hwnd dialog) {
             StoreSettingsLists(dialog, LISTS, config.settings);
             SaveSettings(config);
             return DIALOG_ACCEPTED;
           }});
}

}  // namespace gradlog
