#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/Geometry.h"
#include "platform/ui/MessageBox.h"  // IDOK and IDCANCEL
#include "platform/ui/Window.h"

namespace platform {

// A rectangle in dialog units: left, top, width, height.
struct DialogUnitRect {
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
};

struct DialogItem {
  std::string className;  // "BUTTON", "edit", "combobox", "Listbox" or "STATIC"
  std::string text;
  int id = 0;
  std::uint32_t style = 0;  // WS_CHILD and WS_VISIBLE are implied
  DialogUnitRect rect;
  // Entries a list control gets, in order, when the dialog is created.
  std::vector<std::string> entries;
};

// Extended style: an OK button in the caption bar beside the close box.
inline constexpr std::uint32_t WS_EX_CAPTIONOKBTN = 0x80000000;

struct DialogTemplate {
  std::string name;  // found without regard to case
  std::string title;
  int cx = 0;  // dialog units
  int cy = 0;
  std::string fontName = "MS Sans Serif";
  int fontPoints = 9;
  std::uint32_t style = WS_POPUP | WS_CAPTION;
  std::uint32_t exStyle = 0;
  std::vector<DialogItem> items;  // in tab order
};

// Templates live in the program's resources, which register them at start-up (UI thread);
// registering a name again replaces that template.
void RegisterDialogTemplate(DialogTemplate dialogTemplate);
const DialogTemplate* FindDialogTemplate(std::string_view name);

// A dialog procedure returns true when it handled the message. On WM_INITDIALOG, returning
// true gives the focus to the first tab stop.
using DialogProc = std::function<bool(const Message&)>;

// The base units of the dialog font: x is the average width of "A".."Z" and "a".."z", y
// the cell height, in pixels.
Point DialogBaseUnits();
Rect MapDialogRect(const DialogUnitRect& units);  // x * base.x / 4, y * base.y / 8

// Creates the dialog centred on the screen, disables the owner, runs a nested loop (posted
// messages, sends from other threads and timers keep being served) until EndDialog, and
// returns its result; the focus then goes back where it was (else to the owner). The
// procedure sees everything sent to the dialog first; what it leaves is handled as
// classically: WM_COMMAND IDOK or IDCANCEL (BN_CLICKED) ends the dialog with that id, and
// WM_CLOSE is IDCANCEL. A WM_QUIT ends it as IDCANCEL and stays pending for the outer loop.
// nullopt, with nothing shown, when the template is missing, larger than the screen, or has
// an item whose class does not exist.
std::optional<int> DialogBox(std::string_view templateName, Hwnd owner, DialogProc procedure);
bool EndDialog(Hwnd dialog, int result);  // false when `dialog` is not a running dialog

// The classic dialog keyboard: Tab and Shift+Tab, arrows within a radio group, Enter (the
// default button, id 1 when none), Escape (id 2), mnemonics (Alt+letter, or the letter
// alone when the focused control takes no text). It acts only on keys for the dialog or
// its controls, not on those of a pop-up such as an open drop-down list. True when it took
// the message.
bool IsDialogMessage(Hwnd dialog, const Message& message);
// The next (or previous) visible, enabled WS_TABSTOP control after `control`, wrapping;
// from either end when `control` is null. Null when the dialog has none.
Hwnd GetNextDlgTabItem(Hwnd dialog, Hwnd control, bool previous);

void SetDlgItemText(Hwnd dialog, int id, std::string_view text);
std::string GetDlgItemText(Hwnd dialog, int id);
std::optional<LRESULT> SendDlgItemMessage(Hwnd dialog, int id, std::uint32_t message,
                                          WPARAM wParam = 0, LPARAM lParam = 0,
                                          std::any payload = {});

}  // namespace platform
