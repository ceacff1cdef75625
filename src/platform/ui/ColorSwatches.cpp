#include "platform/ui/ColorSwatches.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/ui/ControlDrawing.h"
#include "platform/ui/Controls.h"
#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

constexpr int NONE = -1;

struct SwatchState {
  std::vector<Color> colors;
  int columns = 0;  // until set: all the cells in one row
  int selected = NONE;
};

SwatchState& StateOf(Hwnd hwnd) {
  std::any* data = GetWindowData(hwnd);
  if (!data->has_value())
    *data = SwatchState{};
  return std::any_cast<SwatchState&>(*data);
}

bool IsDisplayOnly(Hwnd hwnd) {
  return (GetWindowStyle(hwnd) & CSS_DISPLAYONLY) != 0;
}

int CountOf(const SwatchState& state) {
  return static_cast<int>(state.colors.size());
}

int ColumnsOf(const SwatchState& state) {
  return state.columns > 0 ? state.columns : std::max(1, CountOf(state));
}

int RowsOf(const SwatchState& state) {
  return (CountOf(state) + ColumnsOf(state) - 1) / ColumnsOf(state);
}

// The cells share the client area evenly, so that no strip is left over at the right or
// the bottom whatever the size.
Rect CellRect(Hwnd hwnd, const SwatchState& state, int index) {
  const Rect client = GetClientRect(hwnd);
  const int columns = ColumnsOf(state);
  const int rows = RowsOf(state);
  const int column = index % columns;
  const int row = index / columns;
  return {client.Width() * column / columns, client.Height() * row / rows,
          client.Width() * (column + 1) / columns, client.Height() * (row + 1) / rows};
}

Rect Inset(const Rect& r, int by) {
  return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

std::optional<int> CellAt(Hwnd hwnd, const SwatchState& state, Point p) {
  for (int index = 0; index < CountOf(state); ++index) {
    if (CellRect(hwnd, state, index).Contains(p))
      return index;
  }
  return std::nullopt;
}

// From the outside in: a ring for the focus rectangle, a black and a white ring around the
// selected cell (clear on any colour), a shadow outline, then the colour.
void PaintSelectableCell(DeviceContext& dc, const Rect& cell, Color color, bool selected) {
  if (selected) {
    DrawEdge(dc, Inset(cell, 1), CONTROL_BLACK, CONTROL_BLACK);
    DrawEdge(dc, Inset(cell, 2), CONTROL_WHITE, CONTROL_WHITE);
  }
  DrawEdge(dc, Inset(cell, 3), CONTROL_SHADOW, CONTROL_SHADOW);
  dc.FillRect(Inset(cell, 4), CreateSolidBrush(color));
}

void PaintSwatches(Hwnd hwnd) {
  PaintDC dc(hwnd);
  const SwatchState& state = StateOf(hwnd);
  const Rect client = GetClientRect(hwnd);
  dc.FillRect(client, GetStockBrush(StockObject::LightGrayBrush));
  if (IsDisplayOnly(hwnd)) {
    for (int index = 0; index < CountOf(state); ++index) {
      const Rect cell = CellRect(hwnd, state, index);
      DrawSunkenEdge(dc, cell);
      dc.FillRect(Inset(cell, 2), CreateSolidBrush(state.colors[index]));
    }
    return;
  }
  for (int index = 0; index < CountOf(state); ++index) {
    PaintSelectableCell(dc, CellRect(hwnd, state, index), state.colors[index],
                        index == state.selected);
  }
  if (GetFocus() == hwnd) {
    // Without a selection the focus marks the cell the first key will select.
    const Rect around = CountOf(state) == 0
                            ? client
                            : CellRect(hwnd, state, state.selected == NONE ? 0 : state.selected);
    DrawFocusRect(dc, around, CONTROL_BLACK);
  }
}

void Select(Hwnd hwnd, SwatchState& state, int index, bool notify) {
  if (index == state.selected)
    return;
  state.selected = index;
  InvalidateRect(hwnd, nullptr, false);
  const Hwnd parent = GetParent(hwnd);
  if (!notify || !parent)
    return;
  SendMessage(parent, WM_COMMAND,
              MakeWParam(static_cast<std::uint16_t>(GetDlgCtrlID(hwnd)), CSN_SELCHANGE),
              static_cast<LPARAM>(hwnd.value));
}

// Where a key moves the selection: arrows stop at the edges of the grid, Home and End go
// to the first and last cell, and the first key of a grid without a selection selects.
std::optional<int> KeyTarget(const SwatchState& state, WPARAM key) {
  const int count = CountOf(state);
  if (count == 0)
    return std::nullopt;
  const int columns = ColumnsOf(state);
  const int at = state.selected;
  const int column = at % columns;
  switch (key) {
    case VK_HOME:
      return 0;
    case VK_END:
      return count - 1;
    case VK_LEFT:
      return at == NONE ? 0 : column > 0 ? at - 1 : at;
    case VK_RIGHT:
      return at == NONE ? 0 : column + 1 < columns && at + 1 < count ? at + 1 : at;
    case VK_UP:
      return at == NONE ? 0 : at >= columns ? at - columns : at;
    case VK_DOWN:
      return at == NONE ? 0 : at + columns < count ? at + columns : at;
    default:
      return std::nullopt;
  }
}

std::optional<int> IndexOf(const SwatchState& state, WPARAM wParam) {
  if (wParam >= state.colors.size())
    return std::nullopt;
  return static_cast<int>(wParam);
}

LRESULT SetColors(Hwnd hwnd, SwatchState& state, const std::any& payload) {
  const auto* colors = std::any_cast<std::vector<Color>>(&payload);
  if (colors == nullptr)
    return 0;
  state.colors = *colors;
  if (state.selected >= CountOf(state))
    state.selected = NONE;
  InvalidateRect(hwnd, nullptr, false);
  return 1;
}

LRESULT ColorSwatchProc(const Message& m) {
  const Hwnd hwnd = m.hwnd;
  SwatchState& state = StateOf(hwnd);
  switch (m.message) {
    case WM_PAINT:
      PaintSwatches(hwnd);
      return 0;
    case WM_GETDLGCODE:
      return IsDisplayOnly(hwnd) ? DLGC_STATIC : DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd, nullptr, false);
      return 0;
    case WM_KEYDOWN:
      if (const std::optional<int> target = KeyTarget(state, m.wParam);
          target && !IsDisplayOnly(hwnd))
        Select(hwnd, state, *target, true);
      return 0;
    case WM_LBUTTONDOWN: {
      if (IsDisplayOnly(hwnd))
        return 0;
      SetFocus(hwnd);
      if (!IsWindow(hwnd))  // a parent may close on a focus change
        return 0;
      const Point p{static_cast<std::int16_t>(m.lParam & 0xFFFF),
                    static_cast<std::int16_t>((m.lParam >> 16) & 0xFFFF)};
      if (const std::optional<int> cell = CellAt(hwnd, state, p))
        Select(hwnd, state, *cell, true);
      return 0;
    }
    case CSM_SETCOLORS:
      return SetColors(hwnd, state, m.payload);
    case CSM_SETCOLUMNS:
      if (m.wParam == 0 || m.wParam > 0xFFFF)
        return 0;
      state.columns = static_cast<int>(m.wParam);
      InvalidateRect(hwnd, nullptr, false);
      return 1;
    case CSM_GETCOUNT:
      return CountOf(state);
    case CSM_SETCOLOR: {
      const std::optional<int> index = IndexOf(state, m.wParam);
      if (!index)
        return 0;
      state.colors[*index] = static_cast<Color>(m.lParam) & 0x00FFFFFF;
      InvalidateRect(hwnd, nullptr, false);
      return 1;
    }
    case CSM_GETCOLOR: {
      const std::optional<int> index = IndexOf(state, m.wParam);
      return index ? static_cast<LRESULT>(state.colors[*index]) : -1;
    }
    case CSM_SETCURSEL:
      Select(hwnd, state, IndexOf(state, m.wParam).value_or(NONE), false);
      return state.selected;
    case CSM_GETCURSEL:
      return state.selected;
    default:
      return DefWindowProc(m);
  }
}

}  // namespace

void RegisterColorSwatchClass() {
  RegisterClass(
      {.name = COLOR_SWATCHES_CLASS, .procedure = ColorSwatchProc, .background = nullptr});
}

}  // namespace platform
