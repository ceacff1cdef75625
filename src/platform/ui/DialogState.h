#pragma once

#include <memory>
#include <optional>

#include "platform/ui/Dialog.h"
#include "platform/ui/PlatformState.h"

// What the dialog box and the dialog manager share about a running dialog.
namespace platform {

inline constexpr char DIALOG_CLASS[] = "Dialog";

struct DialogState {
  DialogProc procedure;
  std::optional<int> result;  // set by EndDialog
  int defaultId = 0;          // the template's default push button; 0 when it has none
  CaptionButton pressedCaptionButton = CaptionButton::None;
  // A dialog opened by a key press takes typed characters only after a key went down in it:
  // the character of the key that opened it belongs to the window that saw that key.
  bool keyDownSeen = true;
};

// The state of a window made by DialogBox; null for any other window.
std::shared_ptr<DialogState> DialogStateOf(Hwnd hwnd);

// What a control wants from the dialog manager (its WM_GETDLGCODE answer).
LRESULT DialogCodeOf(Hwnd control);
// Moves the focus as the dialog manager does: an edit it enters has all its text selected.
void FocusDialogControl(Hwnd control);

}  // namespace platform
