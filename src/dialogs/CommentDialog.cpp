#include "dialogs/CommentDialog.h"

#include "datafile/RecordWriters.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"

namespace gradlog {

using namespace platform;

namespace {

namespace ids = controls::comment;

constexpr char COMMENT_MARKER = 'C';

}  // namespace

std::optional<int> RunCommentDialog(DataFileState& run, Hwnd owner) {
  return RunModalDialog(ids::TEMPLATE, owner,
                        {.fill = [](Hwnd) {},
                         .store =
                             [&run](Hwnd dialog) {
                               WriteTextRecord(run, GetDlgItemText(dialog, ids::COMMENT_EDIT),
                                               COMMENT_MARKER);
                               return DIALOG_ACCEPTED;
                             }});
}

}  // namespace gradlog
