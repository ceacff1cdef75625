#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

constexpr std::uint32_t BUTTON_TYPE_MASK = 0x000F;

struct ButtonState {
  bool pressed = false;
};

ButtonState& StateOf(Hwnd hwnd) {
  std::any* data = GetWindowData(hwnd);
  if (!data->has_value())
    *data = ButtonState{};
  return std::any_cast<ButtonState&>(*data);
}

bool IsDefault(Hwnd hwnd) {
  return (GetWindowStyle(hwnd) & BUTTON_TYPE_MASK) == BS_DEFPUSHBUTTON;
}

void DrawDottedRect(DeviceContext& dc, const Rect& r, Color color) {
  for (int x = r.left; x < r.right; x += 2) {
    dc.SetPixel(x, r.top, color);
    dc.SetPixel(x, r.bottom - 1, color);
  }
  for (int y = r.top; y < r.bottom; y += 2) {
    dc.SetPixel(r.left, y, color);
    dc.SetPixel(r.right - 1, y, color);
  }
}

void DrawEdge(DeviceContext& dc, Rect r, Color topLeft, Color bottomRight) {
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, topLeft));
  dc.MoveTo(r.left, r.bottom - 1);
  dc.LineTo(r.left, r.top);
  dc.LineTo(r.right - 1, r.top);
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, bottomRight));
  dc.LineTo(r.right - 1, r.bottom - 1);
  dc.LineTo(r.left - 1, r.bottom - 1);
}

void PaintButton(Hwnd hwnd) {
  PaintDC dc(hwnd);
  const Rect client = GetClientRect(hwnd);
  const bool pressed = StateOf(hwnd).pressed;
  const Color black = Rgb(0, 0, 0);
  const Color white = Rgb(255, 255, 255);
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
    DrawEdge(dc, r, white, black);
    DrawEdge(dc, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, Rgb(223, 223, 223), shadow);
  }

  Rect textRect = client;
  if (pressed)
    textRect = textRect.Offset(1, 1);
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.SetTextColor(IsWindowEnabled(hwnd) ? black : shadow);
  dc.DrawText(GetWindowText(hwnd), textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (GetFocus() == hwnd) {
    DrawDottedRect(dc, {client.left + 3, client.top + 3, client.right - 3, client.bottom - 3},
                   black);
  }
}

void Click(Hwnd hwnd) {
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

LRESULT ButtonProc(const Message& m) {
  const Hwnd hwnd = m.hwnd;
  switch (m.message) {
    case WM_PAINT:
      PaintButton(hwnd);
      return 0;
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
      if (m.wParam == VK_SPACE || m.wParam == VK_RETURN) {
        Click(hwnd);
      } else if (const Hwnd parent = GetParent(hwnd)) {
        // Keys a button does not use belong to the window it sits on.
        PostMessage(parent, m.message, m.wParam, m.lParam);
      }
      return 0;
    case BM_CLICK:
      Click(hwnd);
      return 0;
    case BM_GETSTATE:
      return StateOf(hwnd).pressed ? 0x0004 : 0;
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
