#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/ControlDrawing.h"
#include "platform/ui/Controls.h"
#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

constexpr std::uint32_t BUTTON_TYPE_MASK = 0x000F;
constexpr int MARK_SIZE = 13;  // the square of a check box, the circle of a radio button
constexpr int MARK_GAP = 4;    // between the mark and the text

enum class ButtonKind { Push, DefaultPush, CheckBox, AutoCheckBox, AutoRadio };

struct ButtonState {
  bool pressed = false;
  bool checked = false;
};

ButtonState& StateOf(Hwnd hwnd) {
  std::any* data = GetWindowData(hwnd);
  if (!data->has_value())
    *data = ButtonState{};
  return std::any_cast<ButtonState&>(*data);
}

ButtonKind KindOf(Hwnd hwnd) {
  switch (GetWindowStyle(hwnd) & BUTTON_TYPE_MASK) {
    case BS_DEFPUSHBUTTON:
      return ButtonKind::DefaultPush;
    case BS_CHECKBOX:
      return ButtonKind::CheckBox;
    case BS_AUTOCHECKBOX:
      return ButtonKind::AutoCheckBox;
    case BS_AUTORADIOBUTTON:
      return ButtonKind::AutoRadio;
    default:
      return ButtonKind::Push;
  }
}

bool IsPush(ButtonKind kind) {
  return kind == ButtonKind::Push || kind == ButtonKind::DefaultPush;
}

bool IsDefault(Hwnd hwnd) {
  return KindOf(hwnd) == ButtonKind::DefaultPush;
}

void PaintPushButton(Hwnd hwnd, DeviceContext& dc) {
  const Rect client = GetClientRect(hwnd);
  const bool pressed = StateOf(hwnd).pressed;
  const Color black = Rgb(0, 0, 0);
  const Color shadow = Rgb(128, 128, 128);
  dc.FillRect(client, GetStockBrush(StockObject::LightGrayBrush));

  Rect r = client;
  if (IsDefault(hwnd)) {
    // The default button carries a heavier frame.
    dc.SelectPen(CreatePen(PenStyle::Solid, 1, black));
    dc.SelectBrush(GetStockBrush(StockObject::NullBrush));
    dc.Rectangle(r.left, r.top, r.right, r.bottom);
    r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
  if (pressed) {
    DrawEdge(dc, r, shadow, shadow);
  } else {
    DrawRaisedEdge(dc, r);
  }

  Rect textRect = client;
  if (pressed)
    textRect = textRect.Offset(1, 1);
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.SetTextColor(IsWindowEnabled(hwnd) ? black : shadow);
  dc.DrawText(GetWindowText(hwnd), textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (GetFocus() == hwnd) {
    DrawFocusRect(dc, {client.left + 3, client.top + 3, client.right - 3, client.bottom - 3},
                  black);
  }
}

// A tick of three rows inside the box whose top-left is (left, top).
void DrawTick(DeviceContext& dc, int left, int top, Color color) {
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, color));
  for (int row = 0; row < 3; ++row) {
    dc.MoveTo(left + 3, top + 5 + row);
    dc.LineTo(left + 5, top + 7 + row);
    dc.LineTo(left + 10, top + 2 + row);
  }
}

// Check boxes and radio buttons: the mark at the left, the text to its right.
void PaintMarkButton(Hwnd hwnd, DeviceContext& dc, ButtonKind kind) {
  const Rect client = GetClientRect(hwnd);
  const ButtonState& state = StateOf(hwnd);
  const bool enabled = IsWindowEnabled(hwnd);
  const Color black = Rgb(0, 0, 0);
  const Color shadow = Rgb(128, 128, 128);
  const Color ink = enabled ? black : shadow;
  // A pressed or disabled mark is grey inside, as classically.
  const BrushHandle inside = GetStockBrush(state.pressed || !enabled ? StockObject::LightGrayBrush
                                                                     : StockObject::WhiteBrush);
  dc.FillRect(client, GetStockBrush(StockObject::LightGrayBrush));

  const Rect mark = Rect::FromSize(client.left, client.top + (client.Height() - MARK_SIZE) / 2,
                                   MARK_SIZE, MARK_SIZE);
  if (kind == ButtonKind::AutoRadio) {
    dc.SelectPen(CreatePen(PenStyle::Solid, 1, shadow));
    dc.SelectBrush(inside);
    dc.Ellipse(mark.left, mark.top, mark.right, mark.bottom);
    if (state.checked) {
      dc.SelectPen(CreatePen(PenStyle::Solid, 1, ink));
      dc.SelectBrush(CreateSolidBrush(ink));
      dc.Ellipse(mark.left + 4, mark.top + 4, mark.right - 4, mark.bottom - 4);
    }
  } else {
    DrawSunkenEdge(dc, mark);
    dc.FillRect({mark.left + 2, mark.top + 2, mark.right - 2, mark.bottom - 2}, inside);
    if (state.checked)
      DrawTick(dc, mark.left, mark.top, ink);
  }

  const std::string text = GetWindowText(hwnd);
  Rect textRect{mark.right + MARK_GAP, client.top, client.right, client.bottom};
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.SetTextColor(ink);
  dc.DrawText(text, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (GetFocus() == hwnd) {
    Rect extent{};
    dc.DrawText(text, extent, DT_CALCRECT | DT_SINGLELINE);
    const int top = client.top + (client.Height() - extent.Height()) / 2;
    const Rect around{textRect.left - 1, top - 1, textRect.left + extent.Width() + 1,
                      top + extent.Height() + 1};
    DrawFocusRect(dc, around.Intersect(client), black);
  }
}

void PaintButton(Hwnd hwnd) {
  PaintDC dc(hwnd);
  const ButtonKind kind = KindOf(hwnd);
  if (IsPush(kind))
    PaintPushButton(hwnd, dc);
  else
    PaintMarkButton(hwnd, dc, kind);
}

void SetChecked(Hwnd hwnd, bool checked) {
  ButtonState& state = StateOf(hwnd);
  if (state.checked == checked)
    return;
  state.checked = checked;
  InvalidateRect(hwnd, nullptr, false);
}

// Checks the radio button and clears the other auto radio buttons of its group: the
// siblings from the nearest WS_GROUP control at or before it up to the next WS_GROUP.
void CheckInGroup(Hwnd hwnd) {
  const WindowData* parent = FindWindowData(GetParent(hwnd));
  if (parent == nullptr) {
    SetChecked(hwnd, true);
    return;
  }
  const std::vector<Hwnd> siblings = parent->children;
  const auto self = std::find(siblings.begin(), siblings.end(), hwnd);
  auto first = self;
  while (first != siblings.begin() && (GetWindowStyle(*first) & WS_GROUP) == 0)
    --first;
  auto last = self + 1;
  while (last != siblings.end() && (GetWindowStyle(*last) & WS_GROUP) == 0)
    ++last;
  for (auto it = first; it != last; ++it) {
    if (*it == hwnd)
      SetChecked(hwnd, true);
    else if (GetClassName(*it) == GetClassName(hwnd) && KindOf(*it) == ButtonKind::AutoRadio)
      SetChecked(*it, false);
  }
}

// The auto types change their own check before the parent hears of the click, so that it
// reads the new state.
void Click(Hwnd hwnd) {
  switch (KindOf(hwnd)) {
    case ButtonKind::AutoCheckBox:
      SetChecked(hwnd, !StateOf(hwnd).checked);
      break;
    case ButtonKind::AutoRadio:
      CheckInGroup(hwnd);
      break;
    default:
      break;
  }
  const Hwnd parent = GetParent(hwnd);
  if (!parent)
    return;
  SendMessage(parent, WM_COMMAND,
              MakeWParam(static_cast<std::uint16_t>(GetDlgCtrlID(hwnd)), BN_CLICKED),
              static_cast<LPARAM>(hwnd.value));
}

void SetPressed(Hwnd hwnd, bool pressed) {
  ButtonState& state = StateOf(hwnd);
  if (state.pressed == pressed)
    return;
  state.pressed = pressed;
  InvalidateRect(hwnd, nullptr, false);
}

LRESULT DialogCode(ButtonKind kind) {
  switch (kind) {
    case ButtonKind::Push:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case ButtonKind::DefaultPush:
      return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case ButtonKind::AutoRadio:
      return DLGC_BUTTON | DLGC_RADIOBUTTON;
    default:
      return DLGC_BUTTON;
  }
}

void HandleKey(Hwnd hwnd, const Message& m) {
  if (!IsPush(KindOf(hwnd))) {
    // Check boxes and radio buttons use Space only; other keys are the dialog's business.
    if (m.wParam == VK_SPACE)
      Click(hwnd);
    return;
  }
  if (m.wParam == VK_SPACE || m.wParam == VK_RETURN) {
    Click(hwnd);
  } else if (const Hwnd parent = GetParent(hwnd)) {
    // Keys a push button does not use belong to the window it sits on.
    PostMessage(parent, m.message, m.wParam, m.lParam);
  }
}

LRESULT ButtonProc(const Message& m) {
  const Hwnd hwnd = m.hwnd;
  switch (m.message) {
    case WM_PAINT:
      PaintButton(hwnd);
      return 0;
    case WM_GETDLGCODE:
      return DialogCode(KindOf(hwnd));
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, false);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      SetPressed(hwnd, true);
      return 0;
    case WM_LBUTTONUP: {
      const bool wasPressed = StateOf(hwnd).pressed;
      SetPressed(hwnd, false);
      const Point p{static_cast<std::int16_t>(m.lParam & 0xFFFF),
                    static_cast<std::int16_t>((m.lParam >> 16) & 0xFFFF)};
      if (wasPressed && GetClientRect(hwnd).Contains(p))
        Click(hwnd);
      return 0;
    }
    case WM_KEYDOWN:
      HandleKey(hwnd, m);
      return 0;
    case BM_CLICK:
      Click(hwnd);
      return 0;
    case BM_GETCHECK:
      return StateOf(hwnd).checked ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
      if (!IsPush(KindOf(hwnd)))
        SetChecked(hwnd, m.wParam != BST_UNCHECKED);
      return 0;
    case BM_GETSTATE: {
      const ButtonState& state = StateOf(hwnd);
      return (state.checked ? BST_CHECKED : BST_UNCHECKED) | (state.pressed ? 0x0004 : 0);
    }
    case BM_SETSTATE:
      SetPressed(hwnd, m.wParam != 0);
      return 0;
    case BM_SETSTYLE: {
      const std::uint32_t style = GetWindowStyle(hwnd);
      SetWindowStyle(hwnd, (style & ~BUTTON_TYPE_MASK) |
                               (static_cast<std::uint32_t>(m.wParam) & BUTTON_TYPE_MASK));
      if (m.lParam != 0)
        InvalidateRect(hwnd, nullptr, false);
      return 0;
    }
    default:
      return DefWindowProc(m);
  }
}

}  // namespace

void RegisterButtonClass() {
  RegisterClass({.name = "BUTTON", .procedure = ButtonProc, .background = nullptr});
}

}  // namespace platform
