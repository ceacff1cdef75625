#include <algorithm>
#include <cctype>
#include <climits>

#include "platform/ui/Controls.h"
#include "platform/ui/PlatformState.h"
#include "platform/ui/ScrollBar.h"

namespace platform {

namespace {

constexpr int EDGE = 2;  // the sunken 3-D frame
constexpr int TEXT_INDENT = 2;
constexpr LRESULT LB_ERR = -1;
constexpr int NO_INDEX = INT_MIN;  // an index argument that names no line at all

const Color TEXT = Rgb(0, 0, 0);
const Color BACKGROUND = Rgb(255, 255, 255);
const Color SELECTED_TEXT = Rgb(255, 255, 255);
const Color SELECTED_BACKGROUND = Rgb(0, 0, 128);
const Color DISABLED_TEXT = Rgb(128, 128, 128);

struct ListBoxState {
  std::vector<std::string> lines;
  std::vector<bool> selected;
  int caret = -1;
  int anchor = -1;  // where a shift-extended range starts
  int top = 0;
  bool draggingThumb = false;
  int thumbGrab = 0;  // pointer distance below the thumb's top while dragging
};

struct Layout {
  Rect lines;
  Rect scrollBar;   // empty without WS_VSCROLL
  int visible = 1;  // whole lines that fit
};

ListBoxState& StateOf(Hwnd hwnd) {
  std::any* data = GetWindowData(hwnd);
  if (!data->has_value())
    *data = ListBoxState{};
  return std::any_cast<ListBoxState&>(*data);
}

bool HasStyle(Hwnd hwnd, std::uint32_t style) {
  return (GetWindowStyle(hwnd) & style) != 0;
}

bool IsExtended(Hwnd hwnd) {
  return HasStyle(hwnd, LBS_EXTENDEDSEL);
}

bool IsDropDownList(Hwnd hwnd) {
  return HasStyle(hwnd, LBS_COMBOBOX);
}

int LineHeight() {
  return SystemFont()->Metrics().height + 2;
}

int IndexFrom(std::intptr_t value) {
  return value < -1 || value > INT_MAX ? NO_INDEX : static_cast<int>(value);
}

Point PointFrom(LPARAM lParam) {
  return {static_cast<std::int16_t>(lParam & 0xFFFF),
          static_cast<std::int16_t>((lParam >> 16) & 0xFFFF)};
}

Layout LayoutOf(Hwnd hwnd) {
  Rect inner = GetClientRect(hwnd);
  if (!IsDropDownList(hwnd))
    inner = {inner.left + EDGE, inner.top + EDGE, inner.right - EDGE, inner.bottom - EDGE};
  Layout layout;
  if (HasStyle(hwnd, WS_VSCROLL)) {
    layout.scrollBar = {inner.right - SCROLL_BAR_WIDTH, inner.top, inner.right, inner.bottom};
    inner.right -= SCROLL_BAR_WIDTH;
  }
  layout.lines = inner;
  layout.visible = std::max(1, inner.Height() / LineHeight());
  return layout;
}

int Count(const ListBoxState& state) {
  return static_cast<int>(state.lines.size());
}

int MaxTop(const ListBoxState& state, const Layout& layout) {
  return std::max(0, Count(state) - layout.visible);
}

VerticalScrollBar ScrollBarOf(const ListBoxState& state, const Layout& layout) {
  return {layout.scrollBar, Count(state), layout.visible, state.top};
}

void SetTop(Hwnd hwnd, ListBoxState& state, int top) {
  const int clamped = std::clamp(top, 0, MaxTop(state, LayoutOf(hwnd)));
  if (clamped == state.top)
    return;
  state.top = clamped;
  InvalidateRect(hwnd, nullptr, false);
}

void ScrollIntoView(Hwnd hwnd, ListBoxState& state, int line) {
  if (line < 0)
    return;
  const int visible = LayoutOf(hwnd).visible;
  if (line < state.top) {
    SetTop(hwnd, state, line);
  } else if (line >= state.top + visible) {
    SetTop(hwnd, state, line - visible + 1);
  }
}

void SelectOnly(ListBoxState& state, int line) {
  std::fill(state.selected.begin(), state.selected.end(), false);
  if (line >= 0)
    state.selected[line] = true;
}

// Moves the caret; the selection follows it, or spans from the anchor when extending.
// True when the selection changed.
bool MoveCaret(Hwnd hwnd, ListBoxState& state, int line, bool extend) {
  const std::vector<bool> before = state.selected;
  state.caret = line;
  if (extend && IsExtended(hwnd) && state.anchor >= 0) {
    const auto [from, to] = std::minmax(state.anchor, line);
    for (int i = 0; i < Count(state); ++i)
      state.selected[i] = i >= from && i <= to;
  } else {
    SelectOnly(state, line);
    state.anchor = line;
  }
  ScrollIntoView(hwnd, state, line);
  InvalidateRect(hwnd, nullptr, false);
  return state.selected != before;
}

// Sent last by every handler: the parent may destroy the list while handling it.
void NotifySelectionChange(Hwnd hwnd) {
  if (!HasStyle(hwnd, LBS_NOTIFY))
    return;
  if (const Hwnd parent = GetParent(hwnd)) {
    SendMessage(parent, WM_COMMAND,
                MakeWParam(static_cast<std::uint16_t>(GetDlgCtrlID(hwnd)), LBN_SELCHANGE),
                static_cast<LPARAM>(hwnd.value));
  }
}

// The line a navigation key moves the caret to; nullopt for other keys.
std::optional<int> NavigationTarget(std::uint32_t key, int caret, int count, int visible) {
  const int page = std::max(1, visible - 1);
  int target = 0;
  switch (key) {
    case VK_UP:
      target = caret - 1;
      break;
    case VK_DOWN:
      target = caret + 1;
      break;
    case VK_PRIOR:
      target = caret - page;
      break;
    case VK_NEXT:
      target = caret + page;
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = count - 1;
      break;
    default:
      return std::nullopt;
  }
  // Without a caret yet, any move starts at the first line (End at the last).
  if (caret < 0 && key != VK_END)
    target = 0;
  return std::clamp(target, 0, count - 1);
}

void HandleKey(Hwnd hwnd, std::uint32_t key) {
  ListBoxState& state = StateOf(hwnd);
  const int count = Count(state);
  if (count == 0)
    return;
  bool changed = false;
  if (key == VK_SPACE) {
    if (state.caret < 0)
      return;
    if (IsExtended(hwnd)) {
      state.selected[state.caret] = !state.selected[state.caret];
      state.anchor = state.caret;
      InvalidateRect(hwnd, nullptr, false);
      changed = true;
    } else {
      changed = MoveCaret(hwnd, state, state.caret, false);
    }
  } else if (const std::optional<int> target =
                 NavigationTarget(key, state.caret, count, LayoutOf(hwnd).visible)) {
    changed = MoveCaret(hwnd, state, *target, IsKeyDown(VK_SHIFT));
  }
  if (changed)
    NotifySelectionChange(hwnd);
}

char FoldCase(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// A typed character moves to the next line starting with it, round to the top.
void HandleCharacter(Hwnd hwnd, WPARAM character) {
  if (character <= ' ' || character >= 0x7F)
    return;
  ListBoxState& state = StateOf(hwnd);
  const int count = Count(state);
  const char wanted = FoldCase(static_cast<char>(character));
  for (int step = 1; step <= count; ++step) {
    const int line = (std::max(state.caret, -1) + step) % count;
    const std::string& text = state.lines[line];
    if (!text.empty() && FoldCase(text.front()) == wanted) {
      if (MoveCaret(hwnd, state, line, false))
        NotifySelectionChange(hwnd);
      return;
    }
  }
}

void HandleScrollBarPress(Hwnd hwnd, ListBoxState& state, const Layout& layout, Point p) {
  const VerticalScrollBar bar = ScrollBarOf(state, layout);
  switch (bar.HitTest(p)) {
    case ScrollBarPart::UpArrow:
      SetTop(hwnd, state, state.top - 1);
      break;
    case ScrollBarPart::DownArrow:
      SetTop(hwnd, state, state.top + 1);
      break;
    case ScrollBarPart::PageUp:
      SetTop(hwnd, state, state.top - layout.visible);
      break;
    case ScrollBarPart::PageDown:
      SetTop(hwnd, state, state.top + layout.visible);
      break;
    case ScrollBarPart::Thumb:
      state.draggingThumb = true;
      state.thumbGrab = p.y - bar.Thumb().top;
      break;
    case ScrollBarPart::None:
      break;
  }
}

void HandleButtonDown(Hwnd hwnd, Point p) {
  // The list of a drop-down leaves the focus with the pop-up that forwards keys to it.
  if (!IsDropDownList(hwnd))
    SetFocus(hwnd);
  ListBoxState& state = StateOf(hwnd);
  const Layout layout = LayoutOf(hwnd);
  if (layout.scrollBar.Contains(p)) {
    HandleScrollBarPress(hwnd, state, layout, p);
    return;
  }
  if (!layout.lines.Contains(p))
    return;
  const int line = state.top + (p.y - layout.lines.top) / LineHeight();
  if (line >= Count(state))
    return;
  const bool changed = MoveCaret(hwnd, state, line, IsKeyDown(VK_SHIFT));
  // In a drop-down a click is the choice, even of the line already selected.
  if (changed || IsDropDownList(hwnd))
    NotifySelectionChange(hwnd);
}

void HandleMouseMove(Hwnd hwnd, Point p) {
  ListBoxState& state = StateOf(hwnd);
  if (!state.draggingThumb)
    return;
  const Layout layout = LayoutOf(hwnd);
  SetTop(hwnd, state, ScrollBarOf(state, layout).PositionForDrag(p.y, state.thumbGrab));
}

void PaintListBox(Hwnd hwnd) {
  PaintDC dc(hwnd);
  const ListBoxState& state = StateOf(hwnd);
  const Layout layout = LayoutOf(hwnd);
  if (!IsDropDownList(hwnd))
    DrawSunkenEdge(dc, GetClientRect(hwnd));
  const bool enabled = IsWindowEnabled(hwnd);
  const bool focused = GetFocus() == hwnd && !IsDropDownList(hwnd);
  const int lineHeight = LineHeight();
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  for (int y = layout.lines.top, line = state.top; y < layout.lines.bottom;
       y += lineHeight, ++line) {
    const Rect r{layout.lines.left, y, layout.lines.right,
                 std::min(y + lineHeight, layout.lines.bottom)};
    if (line >= Count(state)) {
      dc.FillRect(r, GetStockBrush(StockObject::WhiteBrush));
      continue;
    }
    const bool selected = state.selected[line];
    dc.SetBackgroundColor(selected ? SELECTED_BACKGROUND : BACKGROUND);
    dc.SetTextColor(!enabled ? DISABLED_TEXT : selected ? SELECTED_TEXT : TEXT);
    dc.ExtTextOut(r.left + TEXT_INDENT, y + 1, ETO_OPAQUE | ETO_CLIPPED, &r, state.lines[line]);
    if (focused && line == state.caret)
      DrawFocusRect(dc, r, selected ? SELECTED_TEXT : TEXT);
  }
  if (!layout.scrollBar.IsEmpty())
    ScrollBarOf(state, layout).Paint(dc);
}

LRESULT AddLine(Hwnd hwnd, const std::any& payload) {
  const std::string* text = std::any_cast<std::string>(&payload);
  if (text == nullptr)
    return LB_ERR;
  ListBoxState& state = StateOf(hwnd);
  state.lines.push_back(*text);
  state.selected.push_back(false);
  InvalidateRect(hwnd, nullptr, false);
  return Count(state) - 1;
}

// A line index after line `removed` is gone: the lines below it move up, and what pointed at
// it points at nothing.
int IndexAfterRemoval(int line, int removed) {
  if (line == removed)
    return -1;
  return line > removed ? line - 1 : line;
}

LRESULT DeleteLine(Hwnd hwnd, int index) {
  ListBoxState& state = StateOf(hwnd);
  if (index < 0 || index >= Count(state))
    return LB_ERR;
  state.lines.erase(state.lines.begin() + index);
  state.selected.erase(state.selected.begin() + index);
  state.caret = IndexAfterRemoval(state.caret, index);
  state.anchor = IndexAfterRemoval(state.anchor, index);
  // The lines in view stay in view.
  state.top =
      std::clamp(state.top > index ? state.top - 1 : state.top, 0, MaxTop(state, LayoutOf(hwnd)));
  InvalidateRect(hwnd, nullptr, false);
  return Count(state);
}

void ResetContent(Hwnd hwnd) {
  StateOf(hwnd) = ListBoxState{};
  InvalidateRect(hwnd, nullptr, false);
}

LRESULT SetSelection(Hwnd hwnd, bool select, int index) {
  ListBoxState& state = StateOf(hwnd);
  if (!IsExtended(hwnd) || index == NO_INDEX || index >= Count(state))
    return LB_ERR;
  if (index == -1) {
    std::fill(state.selected.begin(), state.selected.end(), select);
  } else {
    state.selected[index] = select;
  }
  InvalidateRect(hwnd, nullptr, false);
  return 0;
}

LRESULT GetSelection(Hwnd hwnd, int index) {
  const ListBoxState& state = StateOf(hwnd);
  if (index < 0 || index >= Count(state))
    return LB_ERR;
  return state.selected[index] ? 1 : 0;
}

LRESULT SetCaretLine(Hwnd hwnd, int index) {
  ListBoxState& state = StateOf(hwnd);
  if (index == -1) {
    state.caret = -1;
    state.anchor = -1;
    SelectOnly(state, -1);
    InvalidateRect(hwnd, nullptr, false);
    return LB_ERR;
  }
  if (index < 0 || index >= Count(state))
    return LB_ERR;
  MoveCaret(hwnd, state, index, false);
  return index;
}

LRESULT SetTopIndex(Hwnd hwnd, int index) {
  ListBoxState& state = StateOf(hwnd);
  if (index < 0 || index >= Count(state))
    return LB_ERR;
  SetTop(hwnd, state, index);
  return 0;
}

LRESULT ListBoxProc(const Message& m) {
  const Hwnd hwnd = m.hwnd;
  switch (m.message) {
    case WM_CREATE:
      StateOf(hwnd);
      // A bordered list gets the sunken 3-D frame instead of the flat black one, as dialogs
      // of the classic 3-D look convert it; a drop-down's list keeps the flat frame.
      if (!IsDropDownList(hwnd))
        SetWindowStyle(hwnd, GetWindowStyle(hwnd) & ~WS_BORDER);
      return 0;
    case WM_PAINT:
      PaintListBox(hwnd);
      return 0;
    case WM_SIZE: {
      ListBoxState& state = StateOf(hwnd);
      SetTop(hwnd, state, state.top);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, false);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
      HandleKey(hwnd, static_cast<std::uint32_t>(m.wParam));
      return 0;
    case WM_CHAR:
      HandleCharacter(hwnd, m.wParam);
      return 0;
    case WM_LBUTTONDOWN:
      HandleButtonDown(hwnd, PointFrom(m.lParam));
      return 0;
    case WM_MOUSEMOVE:
      HandleMouseMove(hwnd, PointFrom(m.lParam));
      return 0;
    case WM_LBUTTONUP:
      StateOf(hwnd).draggingThumb = false;
      return 0;
    case LB_ADDSTRING:
      return AddLine(hwnd, m.payload);
    case LB_DELETESTRING:
      return DeleteLine(hwnd, IndexFrom(static_cast<std::intptr_t>(m.wParam)));
    case LB_RESETCONTENT:
      ResetContent(hwnd);
      return 0;
    case LB_GETCOUNT:
      return Count(StateOf(hwnd));
    case LB_SETSEL:
      return SetSelection(hwnd, m.wParam != 0, IndexFrom(m.lParam));
    case LB_GETSEL:
      return GetSelection(hwnd, IndexFrom(static_cast<std::intptr_t>(m.wParam)));
    case LB_GETSELCOUNT: {
      const std::vector<bool>& selected = StateOf(hwnd).selected;
      return std::count(selected.begin(), selected.end(), true);
    }
    case LB_SETCURSEL:
      return SetCaretLine(hwnd, IndexFrom(static_cast<std::intptr_t>(m.wParam)));
    case LB_GETCURSEL:
      return StateOf(hwnd).caret;
    case LB_SETTOPINDEX:
      return SetTopIndex(hwnd, IndexFrom(static_cast<std::intptr_t>(m.wParam)));
    case LB_GETTOPINDEX:
      return StateOf(hwnd).top;
    default:
      return DefWindowProc(m);
  }
}

}  // namespace

std::optional<std::string> GetListBoxText(Hwnd list, int index) {
  if (!IsWindow(list) || GetClassName(list) != "Listbox")
    return std::nullopt;
  const ListBoxState& state = StateOf(list);
  if (index < 0 || index >= Count(state))
    return std::nullopt;
  return state.lines[index];
}

void RegisterListBoxClass() {
  RegisterClass({.name = "Listbox", .procedure = ListBoxProc, .background = nullptr});
}

}  // namespace platform
