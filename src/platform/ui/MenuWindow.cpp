#include "platform/ui/MenuWindow.h"

#include <algorithm>
#include <cctype>

#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

constexpr int BORDER = 1;         // WS_BORDER
constexpr int MARGIN_Y = 2;       // above the first row and below the last
constexpr int TEXT_LEFT = 10;     // from the left edge of the client area to the text
constexpr int ARROW_COLUMN = 16;  // right of the text: room for a sub-menu arrow
constexpr int ROW_PADDING = 4;    // row height beyond the font's cell height
constexpr int SEPARATOR_HEIGHT = 7;
constexpr int ARROW_HEIGHT = 7;

const Color TEXT_COLOR = Rgb(0, 0, 0);
const Color SELECTED_TEXT_COLOR = Rgb(255, 255, 255);
const Color SELECTED_BACKGROUND = Rgb(0, 0, 128);
const Color SEPARATOR_COLOR = Rgb(128, 128, 128);

struct MenuWindowState {
  const std::vector<MenuItem>* items = nullptr;
  std::vector<Rect> rows;  // client coordinates, one per item
  int selected = NO_MENU_ITEM;
};

struct MenuLayout {
  std::vector<Rect> rows;
  Size client;
};

// The text as drawn: a single '&' marks the mnemonic and is not shown, "&&" shows one '&'.
std::string ShownText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && ++i == text.size())
      break;
    out += text[i];
  }
  return out;
}

MenuLayout LayOut(const std::vector<MenuItem>& items) {
  const FontHandle font = SystemFont();
  const int rowHeight = font->Metrics().height + ROW_PADDING;
  MenuLayout layout;
  int widest = 0;
  int y = MARGIN_Y;
  for (const MenuItem& item : items) {
    const int height = item.separator ? SEPARATOR_HEIGHT : rowHeight;
    layout.rows.push_back({0, y, 0, y + height});
    y += height;
    if (!item.separator)
      widest = std::max(widest, font->MeasureText(ShownText(item.text)).width);
  }
  // A menu wider than the screen would have no place to go: its texts are cut instead.
  const int width = std::min(TEXT_LEFT + widest + ARROW_COLUMN, SCREEN_WIDTH - 2 * BORDER);
  for (Rect& row : layout.rows)
    row.right = width;
  layout.client = {width, y + MARGIN_Y};
  return layout;
}

MenuWindowState* StateOf(Hwnd window) {
  std::any* data = GetWindowData(window);
  return data != nullptr ? std::any_cast<MenuWindowState>(data) : nullptr;
}

void DrawSubMenuArrow(DeviceContext& dc, const Rect& row, Color color) {
  // A right-pointing triangle: columns shrinking by one pixel at each end.
  const int left = row.right - ARROW_COLUMN + (ARROW_COLUMN - ARROW_HEIGHT / 2) / 2;
  const int top = row.top + (row.Height() - ARROW_HEIGHT) / 2;
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, color));
  for (int column = 0; column <= ARROW_HEIGHT / 2; ++column) {
    dc.MoveTo(left + column, top + column);
    dc.LineTo(left + column, top + ARROW_HEIGHT - column);
  }
}

void PaintItem(DeviceContext& dc, const MenuItem& item, const Rect& row, bool selected) {
  if (item.separator) {
    const int y = row.top + row.Height() / 2;
    dc.SelectPen(CreatePen(PenStyle::Solid, 1, SEPARATOR_COLOR));
    dc.MoveTo(row.left + 1, y);
    dc.LineTo(row.right - 1, y);
    return;
  }
  const Color textColor = selected ? SELECTED_TEXT_COLOR : TEXT_COLOR;
  if (selected)
    dc.FillRect(row, CreateSolidBrush(SELECTED_BACKGROUND));
  dc.SetTextColor(textColor);
  Rect textRect{row.left + TEXT_LEFT, row.top, row.right - ARROW_COLUMN, row.bottom};
  dc.DrawText(item.text, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (!item.subItems.empty())
    DrawSubMenuArrow(dc, row, textColor);
}

void PaintMenuWindow(Hwnd window) {
  PaintDC dc(window);
  const MenuWindowState* state = StateOf(window);
  if (state == nullptr || state->items == nullptr)
    return;
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  const std::vector<MenuItem>& items = *state->items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    PaintItem(dc, items[i], state->rows[i], static_cast<int>(i) == state->selected);
  }
}

LRESULT MenuWindowProc(const Message& m) {
  if (m.message == WM_PAINT) {
    PaintMenuWindow(m.hwnd);
    return 0;
  }
  return DefWindowProc(m);
}

}  // namespace

void RegisterMenuClass() {
  RegisterClass({.name = MENU_WINDOW_CLASS,
                 .procedure = MenuWindowProc,
                 .background = GetStockBrush(StockObject::WhiteBrush)});
}

Size MenuWindowSize(const std::vector<MenuItem>& items) {
  const Size client = LayOut(items).client;
  return {client.width + 2 * BORDER, client.height + 2 * BORDER};
}

Hwnd CreateMenuWindow(const std::vector<MenuItem>& items, const Rect& rect,
                      const std::string& title) {
  const Hwnd window = CreateWindow({.className = MENU_WINDOW_CLASS,
                                    .title = title,
                                    .style = WS_POPUP | WS_BORDER,
                                    .rect = rect});
  if (!window)
    return {};
  SetWindowData(window, MenuWindowState{.items = &items, .rows = LayOut(items).rows});
  BringWindowToTop(window);
  ShowWindow(window, true);
  UpdateWindow(window);
  return window;
}

const std::vector<MenuItem>& MenuWindowItems(Hwnd window) {
  static const std::vector<MenuItem> NONE;
  const MenuWindowState* state = StateOf(window);
  return state != nullptr && state->items != nullptr ? *state->items : NONE;
}

int MenuItemAt(Hwnd window, Point client) {
  const MenuWindowState* state = StateOf(window);
  if (state == nullptr)
    return NO_MENU_ITEM;
  for (std::size_t i = 0; i < state->rows.size(); ++i) {
    if (state->rows[i].Contains(client))
      return static_cast<int>(i);
  }
  return NO_MENU_ITEM;
}

Rect MenuItemScreenRect(Hwnd window, int index) {
  const MenuWindowState* state = StateOf(window);
  if (state == nullptr || index < 0 || index >= static_cast<int>(state->rows.size()))
    return {};
  const Point origin = ClientToScreen(window, {0, 0});
  return state->rows[static_cast<std::size_t>(index)].Offset(origin.x, origin.y);
}

int SelectedMenuItem(Hwnd window) {
  const MenuWindowState* state = StateOf(window);
  return state != nullptr ? state->selected : NO_MENU_ITEM;
}

void SelectMenuItem(Hwnd window, int index) {
  MenuWindowState* state = StateOf(window);
  if (state == nullptr || state->selected == index)
    return;
  const auto invalidateRow = [&](int row) {
    if (row >= 0 && row < static_cast<int>(state->rows.size()))
      InvalidateRect(window, &state->rows[static_cast<std::size_t>(row)], true);
  };
  invalidateRow(state->selected);
  state->selected = index;
  invalidateRow(index);
  UpdateWindow(window);
}

std::uint32_t MenuMnemonicKey(const MenuItem& item) {
  const std::string& text = item.text;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&')
      continue;
    const unsigned char marked = static_cast<unsigned char>(text[i + 1]);
    if (marked == '&') {
      ++i;
      continue;
    }
    return std::isalnum(marked) ? static_cast<std::uint32_t>(std::toupper(marked)) : 0;
  }
  return 0;
}

}  // namespace platform
