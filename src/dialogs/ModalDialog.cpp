#include "dialogs/ModalDialog.h"

#include <utility>

#include "platform/ui/Dialog.h"

namespace gradlog {

using namespace platform;

std::optional<int> RunModalDialog(std::string_view templateName, Hwnd owner, DialogParts parts) {
  auto procedure = [parts = std::move(parts)](const Message& m) {
    switch (m.message) {
      case WM_INITDIALOG:
        parts.fill(m.hwnd);
        return true;
      case WM_COMMAND: {
        const int id = LowWord(m.wParam);
        if (id == IDOK) {
          EndDialog(m.hwnd, parts.store(m.hwnd));
        } else if (id == IDCANCEL) {
          EndDialog(m.hwnd, DIALOG_CANCELLED);
        } else if (parts.notified) {
          parts.notified(m.hwnd, id, HighWord(m.wParam));
        }
        return true;
      }
      default:
        return false;
    }
  };
  return DialogBox(templateName, owner, std::move(procedure));
}

}  // namespace gradlog
