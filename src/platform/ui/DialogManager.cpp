#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/DialogState.h"

// The classic dialog keyboard: tab stops, radio groups, Enter and Escape, mnemonics.
namespace platform {

namespace {

constexpr LPARAM ALT_FLAG = LPARAM{1} << 29;  // in a key message's lParam
constexpr LRESULT PUSH_BUTTON_CODES = DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON;

// A copy: a control may create or destroy windows while the manager talks to it.
std::vector<Hwnd> Controls(Hwnd dialog) {
  const WindowData* window = FindWindowData(dialog);
  return window ? window->children : std::vector<Hwnd>{};
}

// By the control's own style, so that the answer is the same before the dialog is shown.
bool CanTakeFocus(Hwnd control) {
  return (GetWindowStyle(control) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

// The control of the dialog that holds `hwnd` (itself or an ancestor); null when `hwnd` is
// not inside the dialog.
Hwnd ControlHolding(Hwnd dialog, Hwnd hwnd) {
  for (Hwnd w = hwnd; w; w = GetParent(w)) {
    if (GetParent(w) == dialog)
      return w;
  }
  return {};
}

// Keys are the dialog's when they go to it or to one of its controls; a pop-up window
// (an open drop-down list, say) keeps its own keys even when it belongs to the dialog.
bool IsForDialog(Hwnd dialog, Hwnd target) {
  for (Hwnd w = target; w; w = GetParent(w)) {
    if (w == dialog)
      return true;
    if ((GetWindowStyle(w) & WS_POPUP) != 0)
      return false;
  }
  return false;
}

// The controls of the group that holds `control`: from the nearest WS_GROUP at or before
// it up to the next WS_GROUP.
std::vector<Hwnd> GroupOf(Hwnd dialog, Hwnd control) {
  const std::vector<Hwnd> controls = Controls(dialog);
  std::size_t first = 0;
  std::size_t index = 0;
  for (; index < controls.size() && controls[index] != control; ++index) {
    if ((GetWindowStyle(controls[index]) & WS_GROUP) != 0)
      first = index;
  }
  if (index == controls.size())
    return {};
  if ((GetWindowStyle(control) & WS_GROUP) != 0)
    first = index;
  std::vector<Hwnd> group{controls[first]};
  for (std::size_t i = first + 1; i < controls.size(); ++i) {
    if ((GetWindowStyle(controls[i]) & WS_GROUP) != 0)
      break;
    group.push_back(controls[i]);
  }
  return group;
}

// Tabbing into a radio group lands on its checked button, as classically.
Hwnd CheckedRadioOfGroup(Hwnd dialog, Hwnd radio) {
  for (Hwnd member : GroupOf(dialog, radio)) {
    if ((DialogCodeOf(member) & DLGC_RADIOBUTTON) != 0 && CanTakeFocus(member) &&
        SendMessage(member, BM_GETCHECK).value_or(0) == BST_CHECKED) {
      return member;
    }
  }
  return radio;
}

bool MoveInRadioGroup(Hwnd dialog, Hwnd radio, bool backwards) {
  std::vector<Hwnd> radios;
  for (Hwnd member : GroupOf(dialog, radio)) {
    if (member == radio || ((DialogCodeOf(member) & DLGC_RADIOBUTTON) != 0 && CanTakeFocus(member)))
      radios.push_back(member);
  }
  const auto count = static_cast<std::ptrdiff_t>(radios.size());
  const std::ptrdiff_t at = std::find(radios.begin(), radios.end(), radio) - radios.begin();
  const Hwnd next = radios[(at + (backwards ? count - 1 : 1)) % count];
  if (next == radio)
    return true;
  FocusDialogControl(next);
  SendMessage(next, BM_CLICK);
  return true;
}

void Tab(Hwnd dialog, Hwnd focused, bool backwards) {
  Hwnd next = GetNextDlgTabItem(dialog, focused, backwards);
  if (!next)
    return;
  if ((DialogCodeOf(next) & DLGC_RADIOBUTTON) != 0)
    next = CheckedRadioOfGroup(dialog, next);
  FocusDialogControl(next);
}

// Enter: the focused push button, else the one that looks like the default, else IDOK.
void PressDefaultButton(Hwnd dialog, Hwnd focused) {
  Hwnd button;
  if (focused && (DialogCodeOf(focused) & PUSH_BUTTON_CODES) != 0) {
    button = focused;
  } else {
    for (Hwnd control : Controls(dialog)) {
      if ((DialogCodeOf(control) & DLGC_DEFPUSHBUTTON) != 0) {
        button = control;
        break;
      }
    }
  }
  const int id = button ? GetDlgCtrlID(button) : IDOK;
  if (!button)
    button = GetDlgItem(dialog, IDOK);
  // A disabled default button cannot be pressed, by Enter either.
  if (button && !IsWindowEnabled(button))
    return;
  SendMessage(dialog, WM_COMMAND, MakeWParam(static_cast<std::uint16_t>(id), BN_CLICKED),
              static_cast<LPARAM>(button.value));
}

// The letter after a single '&' in the text, lower case; 0 when there is none.
char MnemonicOf(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&')
      continue;
    if (text[i + 1] != '&')
      return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    ++i;  // "&&" is a plain '&'
  }
  return 0;
}

void ActivateMnemonicControl(Hwnd dialog, Hwnd control, LRESULT code) {
  if ((code & DLGC_STATIC) != 0) {
    // A label gives the focus to the control that follows it.
    const std::vector<Hwnd> controls = Controls(dialog);
    auto it = std::find(controls.begin(), controls.end(), control);
    for (++it; it != controls.end(); ++it) {
      if (CanTakeFocus(*it) && (DialogCodeOf(*it) & DLGC_STATIC) == 0) {
        FocusDialogControl(*it);
        return;
      }
    }
    return;
  }
  // A push button is pressed where it is; a radio button or check box takes the focus too.
  if ((code & PUSH_BUTTON_CODES) == 0)
    FocusDialogControl(control);
  SendMessage(control, BM_CLICK);
}

// The next button or label after the focused control (wrapping) whose mnemonic is the
// letter; true when there was one.
bool RunMnemonic(Hwnd dialog, Hwnd focused, char32_t character) {
  if (character > 0x7F || !std::isalnum(static_cast<int>(character)))
    return false;
  const char letter = static_cast<char>(std::tolower(static_cast<int>(character)));
  const std::vector<Hwnd> controls = Controls(dialog);
  const std::size_t count = controls.size();
  const std::size_t at = std::find(controls.begin(), controls.end(), focused) - controls.begin();
  const std::size_t start = at < count ? at + 1 : 0;
  for (std::size_t n = 0; n < count; ++n) {
    const Hwnd control = controls[(start + n) % count];
    const LRESULT code = DialogCodeOf(control);
    if ((code & (DLGC_BUTTON | DLGC_STATIC)) == 0 || !CanTakeFocus(control))
      continue;
    if (MnemonicOf(GetWindowText(control)) == letter) {
      ActivateMnemonicControl(dialog, control, code);
      return true;
    }
  }
  return false;
}

bool IsLetterOrDigitKey(WPARAM key) {
  return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

bool HandleKeyDown(Hwnd dialog, Hwnd focused, const Message& m) {
  if ((m.lParam & ALT_FLAG) != 0 && IsLetterOrDigitKey(m.wParam)) {
    // Alt and a letter is always a mnemonic, even in a control that takes text.
    RunMnemonic(dialog, focused, static_cast<char32_t>(m.wParam));
    return true;
  }
  switch (m.wParam) {
    case VK_TAB:
      Tab(dialog, focused, IsKeyDown(VK_SHIFT));
      return true;
    case VK_RETURN:
      PressDefaultButton(dialog, focused);
      return true;
    case VK_ESCAPE:
      SendMessage(dialog, WM_COMMAND, MakeWParam(IDCANCEL, BN_CLICKED),
                  static_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL).value));
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      if (!focused)
        return false;
      const LRESULT code = DialogCodeOf(focused);
      if ((code & DLGC_WANTARROWS) != 0 || (code & DLGC_RADIOBUTTON) == 0)
        return false;
      return MoveInRadioGroup(dialog, focused, m.wParam == VK_LEFT || m.wParam == VK_UP);
    }
    default:
      return false;
  }
}

bool HandleChar(Hwnd dialog, Hwnd focused, const Message& m) {
  switch (m.wParam) {
    case U'\t':
    case U'\r':
    case 0x1B:
      // Their key-down did the work: no control types them.
      return true;
    default:
      if (focused && (DialogCodeOf(focused) & DLGC_WANTCHARS) != 0)
        return false;
      return RunMnemonic(dialog, focused, static_cast<char32_t>(m.wParam));
  }
}

// Gives the default look to `button` (or to nobody when it is null) and takes it from
// every other push button.
void SetDefaultLook(Hwnd dialog, Hwnd button) {
  for (Hwnd control : Controls(dialog)) {
    if (control != button && (DialogCodeOf(control) & DLGC_DEFPUSHBUTTON) != 0)
      SendMessage(control, BM_SETSTYLE, BS_PUSHBUTTON, 1);
  }
  if (button && (DialogCodeOf(button) & DLGC_UNDEFPUSHBUTTON) != 0)
    SendMessage(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
}

}  // namespace

LRESULT DialogCodeOf(Hwnd control) {
  return control ? SendMessage(control, WM_GETDLGCODE).value_or(0) : 0;
}

void FocusDialogControl(Hwnd control) {
  SetFocus(control);
  if ((DialogCodeOf(control) & DLGC_HASSETSEL) != 0)
    SendMessage(control, EM_SETSEL, 0, -1);
}

void FollowFocusWithDefaultButton(Hwnd focus) {
  const Hwnd dialog = DialogStateOf(focus) ? focus : GetParent(focus);
  const std::shared_ptr<DialogState> state = DialogStateOf(dialog);
  if (!state)
    return;
  if (focus != dialog && (DialogCodeOf(focus) & PUSH_BUTTON_CODES) != 0) {
    SetDefaultLook(dialog, focus);
  } else {
    SetDefaultLook(dialog, GetDlgItem(dialog, state->defaultId));
  }
}

bool IsDialogMessage(Hwnd dialog, const Message& message) {
  if (!IsWindow(dialog) || !IsForDialog(dialog, message.hwnd))
    return false;
  const Hwnd focused = ControlHolding(dialog, GetFocus());
  const std::shared_ptr<DialogState> state = DialogStateOf(dialog);
  switch (message.message) {
    case WM_KEYDOWN:
      if (state)
        state->keyDownSeen = true;
      return HandleKeyDown(dialog, focused, message);
    case WM_CHAR:
      if (state && !state->keyDownSeen)
        return true;
      return HandleChar(dialog, focused, message);
    default:
      return false;
  }
}

Hwnd GetNextDlgTabItem(Hwnd dialog, Hwnd control, bool previous) {
  const std::vector<Hwnd> controls = Controls(dialog);
  const auto count = static_cast<std::ptrdiff_t>(controls.size());
  if (count == 0)
    return {};
  const std::ptrdiff_t at = std::find(controls.begin(), controls.end(), control) - controls.begin();
  // Without a current control the search starts just outside the list, at either end.
  const std::ptrdiff_t start = at < count ? at : (previous ? count : -1);
  const std::ptrdiff_t step = previous ? count - 1 : 1;
  for (std::ptrdiff_t n = 1; n <= count; ++n) {
    const Hwnd candidate = controls[((start + n * step) % count + count) % count];
    if ((GetWindowStyle(candidate) & WS_TABSTOP) != 0 && CanTakeFocus(candidate))
      return candidate;
  }
  return {};
}

void SetDlgItemText(Hwnd dialog, int id, std::string_view text) {
  if (const Hwnd control = GetDlgItem(dialog, id))
    SetWindowText(control, text);
}

std::string GetDlgItemText(Hwnd dialog, int id) {
  return GetWindowText(GetDlgItem(dialog, id));
}

std::optional<LRESULT> SendDlgItemMessage(Hwnd dialog, int id, std::uint32_t message, WPARAM wParam,
                                          LPARAM lParam, std::any payload) {
  const Hwnd control = GetDlgItem(dialog, id);
  if (!control)
    return std::nullopt;
  return SendMessage(control, message, wParam, lParam, std::move(payload));
}

}  // namespace platform
