#include "dialogs/CommentDialog.h"

#include "datafile/RecordWriters.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Dialog.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char COMMENT_TEMPLATE[] = "GetComment";
constexpr int COMMENT_EDIT = 851;
constexpr char COMMENT_MARKER = 'C';

}  // namespace

std::optional<int> RunCommentDialog(DataFileState& run, Hwnd owner) {
  return RunModalDialog(COMMENT_TEMPLATE, owner,
                        {.fill = [](Hwnd) {},
                         .store =
                             [&run](Hwnd dialog) {
                               WriteTextRecord(run, GetDlgItemText(dialog, COMMENT_EDIT),
                                               COMMENT_MARKER);
                               return DIALOG_ACCEPTED;
                             }});
}

}  // namespace gradlog
