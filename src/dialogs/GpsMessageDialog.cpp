#include "dialogs/GpsMessageDialog.h"

#include "dialogs/ModalDialog.h"
#include "gps/GpsMonitorState.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"

namespace gradlog {

using namespace platform;

namespace {

namespace ids = controls::gps_message;

}  // namespace

std::optional<std::string> RunGpsMessageDialog(Hwnd owner, const std::string& current) {
  std::string typed;
  const std::optional<int> result = RunModalDialog(
      ids::TEMPLATE, owner,
      {.fill =
           [&current](Hwnd dialog) {
             SendMessage(GetDlgItem(dialog, ids::MESSAGE_EDIT), EM_LIMITTEXT, GPS_COMMAND_TEXT_MAX);
             SetDlgItemText(dialog, ids::MESSAGE_EDIT, current);
           },
       .store =
           [&typed](Hwnd dialog) {
             typed = GetDlgItemText(dialog, ids::MESSAGE_EDIT).substr(0, GPS_COMMAND_TEXT_MAX);
             return DIALOG_ACCEPTED;
           }});
  if (result != DIALOG_ACCEPTED)
    return std::nullopt;
  return typed;
}

}  // namespace gradlog
