#include <cctype>
#include <utility>

#include "platform/ui/Controls.h"
#include "platform/ui/DialogState.h"
#include "platform/ui/ModalLoop.h"

namespace platform {

namespace {

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

Point PointOf(LPARAM lParam) {
  return {static_cast<std::int16_t>(lParam & 0xFFFF),
          static_cast<std::int16_t>((lParam >> 16) & 0xFFFF)};
}

// The screen rectangle of the dialog's window, centred; nullopt when it would not fit.
std::optional<Rect> DialogWindowRect(const DialogTemplate& dialogTemplate) {
  if (dialogTemplate.cx < 0 || dialogTemplate.cy < 0)
    return std::nullopt;
  const Rect client = MapDialogRect({0, 0, dialogTemplate.cx, dialogTemplate.cy});
  const int frame = FrameWidthOf(dialogTemplate.style);
  const int width = client.Width() + 2 * frame;
  const int height = client.Height() + 2 * frame + CaptionHeightOf(dialogTemplate.style);
  if (width > SCREEN_WIDTH || height > SCREEN_HEIGHT)
    return std::nullopt;
  return Rect::FromSize((SCREEN_WIDTH - width) / 2, (SCREEN_HEIGHT - height) / 2, width, height);
}

// Creates the items in template order; false when one of them cannot be made.
bool CreateItems(Hwnd dialog, const DialogTemplate& dialogTemplate) {
  for (const DialogItem& item : dialogTemplate.items) {
    const Hwnd control = CreateWindow({.className = item.className,
                                       .title = item.text,
                                       .style = item.style | WS_CHILD | WS_VISIBLE,
                                       .rect = MapDialogRect(item.rect),
                                       .parent = dialog,
                                       .id = item.id});
    if (!control)
      return false;
    const std::string className = LowerCase(item.className);
    const std::uint32_t addString = className == "combobox"  ? CB_ADDSTRING
                                    : className == "listbox" ? LB_ADDSTRING
                                                             : 0;
    if (addString == 0)
      continue;
    for (const std::string& entry : item.entries)
      SendMessage(control, addString, 0, 0, entry);
  }
  return true;
}

int DefaultButtonId(Hwnd dialog) {
  for (Hwnd control : FindWindowData(dialog)->children) {
    if ((DialogCodeOf(control) & DLGC_DEFPUSHBUTTON) != 0)
      return GetDlgCtrlID(control);
  }
  return 0;
}

Hwnd CreateDialogWindow(const DialogTemplate& dialogTemplate, const Rect& rect,
                        DialogProc procedure) {
  // Hidden until WM_INITDIALOG has filled the controls.
  const Hwnd dialog = CreateWindow({.className = DIALOG_CLASS,
                                    .title = dialogTemplate.title,
                                    .style = (dialogTemplate.style | WS_POPUP) & ~WS_VISIBLE,
                                    .rect = rect});
  if (!dialog)
    return {};
  FindWindowData(dialog)->exStyle = dialogTemplate.exStyle;
  auto state = std::make_shared<DialogState>();
  state->procedure = std::move(procedure);
  state->keyDownSeen = State().keysDown.empty();
  SetWindowData(dialog, state);
  if (!CreateItems(dialog, dialogTemplate)) {
    SetWindowData(dialog, {});  // a refused dialog's procedure hears nothing
    DestroyWindow(dialog);
    return {};
  }
  state->defaultId = DefaultButtonId(dialog);
  return dialog;
}

void InitDialog(Hwnd dialog) {
  const Hwnd first = GetNextDlgTabItem(dialog, {}, false);
  const std::optional<LRESULT> focusFirst =
      SendMessage(dialog, WM_INITDIALOG, static_cast<WPARAM>(first.value));
  if (!IsWindow(dialog))
    return;
  if (focusFirst.value_or(0) != 0 && IsWindow(first))
    FocusDialogControl(first);
  // Keys must reach the dialog even when its procedure chose no control and the focus was
  // left with the disabled owner.
  if (!IsWindowEnabled(GetFocus()))
    SetFocus(dialog);
  ShowWindow(dialog, true);
}

// The OK button and close box of the caption bar: a click is a press and a release on the
// same button.
void HandleCaptionPointer(Hwnd dialog, DialogState& state, const Message& m) {
  const WindowData* window = FindWindowData(dialog);
  const CaptionButton at = CaptionButtonAt(*window, ClientToScreen(dialog, PointOf(m.lParam)));
  if (m.message == WM_LBUTTONDOWN) {
    state.pressedCaptionButton = at;
    return;
  }
  const CaptionButton pressed = std::exchange(state.pressedCaptionButton, CaptionButton::None);
  if (pressed == CaptionButton::None || pressed != at)
    return;
  const int id = at == CaptionButton::Ok ? IDOK : IDCANCEL;
  SendMessage(dialog, WM_COMMAND, MakeWParam(static_cast<std::uint16_t>(id), BN_CLICKED), 0);
}

bool IsCaptionPointer(Hwnd dialog, const Message& m) {
  if (m.message != WM_LBUTTONDOWN && m.message != WM_LBUTTONUP)
    return false;
  const Point p = PointOf(m.lParam);
  return m.message == WM_LBUTTONUP
             ? DialogStateOf(dialog)->pressedCaptionButton != CaptionButton::None
             : !GetClientRect(dialog).Contains(p);
}

// What a dialog does with the messages its procedure leaves: OK and Cancel end it, closing
// is Cancel.
LRESULT DefaultDialogProc(const Message& m) {
  switch (m.message) {
    case WM_COMMAND: {
      const int id = LowWord(m.wParam);
      if (HighWord(m.wParam) == BN_CLICKED && (id == IDOK || id == IDCANCEL))
        EndDialog(m.hwnd, id);
      return 0;
    }
    case WM_CLOSE:
      SendMessage(m.hwnd, WM_COMMAND, MakeWParam(IDCANCEL, BN_CLICKED),
                  static_cast<LPARAM>(GetDlgItem(m.hwnd, IDCANCEL).value));
      return 0;
    default:
      return DefWindowProc(m);
  }
}

LRESULT DialogWindowProc(const Message& m) {
  // A copy: the procedure may end the dialog and its window with it.
  const std::shared_ptr<DialogState> state = DialogStateOf(m.hwnd);
  if (!state)
    return DefWindowProc(m);
  if (IsCaptionPointer(m.hwnd, m)) {
    HandleCaptionPointer(m.hwnd, *state, m);
    return 0;
  }
  if (m.message == WM_INITDIALOG)
    return state->procedure && state->procedure(m) ? 1 : 0;
  if (state->procedure && state->procedure(m))
    return 0;
  return DefaultDialogProc(m);
}

}  // namespace

std::shared_ptr<DialogState> DialogStateOf(Hwnd hwnd) {
  std::any* data = GetWindowData(hwnd);
  if (data == nullptr)
    return nullptr;
  const auto* state = std::any_cast<std::shared_ptr<DialogState>>(data);
  return state ? *state : nullptr;
}

void RegisterDialogClass() {
  RegisterClass({.name = DIALOG_CLASS,
                 .procedure = DialogWindowProc,
                 .background = GetStockBrush(StockObject::LightGrayBrush)});
}

std::optional<int> DialogBox(std::string_view templateName, Hwnd owner, DialogProc procedure) {
  RequireUiThread();
  const DialogTemplate* dialogTemplate = FindDialogTemplate(templateName);
  if (dialogTemplate == nullptr)
    return std::nullopt;
  const std::optional<Rect> rect = DialogWindowRect(*dialogTemplate);
  if (!rect)
    return std::nullopt;
  const Hwnd previousFocus = GetFocus();
  std::optional<int> result;
  {
    const ModalInputBlock block;
    const Hwnd dialog = CreateDialogWindow(*dialogTemplate, *rect, std::move(procedure));
    if (dialog) {
      InitDialog(dialog);
      const std::shared_ptr<DialogState> state = DialogStateOf(dialog);
      RunModalLoop([&] { return !IsWindow(dialog) || state->result.has_value(); },
                   [dialog](const Message& m) { return IsDialogMessage(dialog, m); });
      // Ended by WM_QUIT or by someone destroying the window: nothing was chosen.
      result = state->result.value_or(IDCANCEL);
      DestroyWindow(dialog);
    }
  }
  SetFocus(IsWindow(previousFocus) ? previousFocus : owner);
  return result;
}

bool EndDialog(Hwnd dialog, int result) {
  const std::shared_ptr<DialogState> state = DialogStateOf(dialog);
  if (!state)
    return false;
  state->result = result;
  return true;
}

}  // namespace platform
