#include <algorithm>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include "platform/gfx/Utf8.h"
#include "platform/ui/ControlDrawing.h"
#include "platform/ui/Controls.h"
#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

constexpr std::size_t DEFAULT_TEXT_LIMIT = 30000;
constexpr int EDGE_WIDTH = 2;   // the sunken border
constexpr int TEXT_MARGIN = 1;  // between the border and the text
constexpr char32_t BACKSPACE_CHARACTER = 8;
constexpr char32_t DELETE_CHARACTER = 0x7F;

const Color TEXT_COLOR = Rgb(0, 0, 0);
const Color DISABLED_TEXT_COLOR = Rgb(128, 128, 128);
const Color SELECTED_TEXT_COLOR = Rgb(255, 255, 255);
const Color SELECTED_BACK_COLOR = Rgb(0, 0, 128);

// Positions count characters, not bytes; the window title holds the text as UTF-8.
struct EditState {
  std::size_t anchor = 0;        // the fixed end of the selection
  std::size_t caret = 0;         // the moving end, where the caret stands
  std::size_t firstVisible = 0;  // scrolling is by whole characters, as classically
  std::size_t limit = DEFAULT_TEXT_LIMIT;
  bool bordered = false;
  bool selecting = false;  // the pointer button went down here and is still held

  std::size_t SelectionStart() const { return std::min(anchor, caret); }
  std::size_t SelectionEnd() const { return std::max(anchor, caret); }
};

EditState& StateOf(Hwnd hwnd) {
  std::any* data = GetWindowData(hwnd);
  if (!data->has_value())
    *data = EditState{};
  return std::any_cast<EditState&>(*data);
}

std::u32string Decode(std::string_view utf8) {
  std::u32string out;
  for (std::size_t pos = 0; pos < utf8.size();)
    out += DecodeUtf8(utf8, pos);
  return out;
}

std::string Encode(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::u32string TextOf(Hwnd hwnd) {
  return Decode(GetWindowText(hwnd));
}

// Writes the title directly: SetWindowText would send WM_SETTEXT, which puts the caret back
// at the start.
void StoreText(Hwnd hwnd, std::u32string_view text) {
  if (WindowData* window = FindWindowData(hwnd))
    window->title = Encode(text);
}

int Advance(char32_t c) {
  return SystemFont()->MeasureText(Encode(std::u32string_view(&c, 1))).width;
}

int WidthOf(std::u32string_view text) {
  return SystemFont()->MeasureText(Encode(text)).width;
}

// Where the text goes, in client coordinates.
Rect TextArea(Hwnd hwnd, const EditState& state) {
  const Rect client = GetClientRect(hwnd);
  const int edge = state.bordered ? EDGE_WIDTH : 0;
  return {client.left + edge + TEXT_MARGIN, client.top + edge, client.right - edge - TEXT_MARGIN,
          client.bottom - edge};
}

// The widest run of text that leaves the caret, one pixel wide, inside the text area.
int TextRoom(Hwnd hwnd, const EditState& state) {
  return std::max(0, TextArea(hwnd, state).Width() - 1);
}

void KeepCaretVisible(Hwnd hwnd, EditState& state, std::u32string_view text) {
  const int room = TextRoom(hwnd, state);
  state.firstVisible = std::min(state.firstVisible, state.caret);
  // Scroll right until the run from the first visible character to the caret fits.
  std::size_t first = state.caret;
  int width = 0;
  while (first > state.firstVisible && width + Advance(text[first - 1]) <= room) {
    width += Advance(text[first - 1]);
    --first;
  }
  state.firstVisible = first;
  // Scroll back left while the end of the text would leave the box part empty.
  int tail = 0;
  for (std::size_t i = state.firstVisible; i < text.size() && tail <= room; ++i)
    tail += Advance(text[i]);
  while (state.firstVisible > 0 && tail + Advance(text[state.firstVisible - 1]) <= room) {
    tail += Advance(text[state.firstVisible - 1]);
    --state.firstVisible;
  }
}

void Notify(Hwnd hwnd, std::uint16_t code) {
  const Hwnd parent = GetParent(hwnd);
  if (!parent)
    return;
  SendMessage(parent, WM_COMMAND, MakeWParam(static_cast<std::uint16_t>(GetDlgCtrlID(hwnd)), code),
              static_cast<LPARAM>(hwnd.value));
}

void Refresh(Hwnd hwnd, EditState& state, std::u32string_view text) {
  KeepCaretVisible(hwnd, state, text);
  InvalidateRect(hwnd, nullptr, false);
}

// Replaces the selection with `insert` as the user's edit, unless the limit refuses it.
void ReplaceSelection(Hwnd hwnd, EditState& state, std::u32string_view insert) {
  std::u32string text = TextOf(hwnd);
  const std::size_t start = std::min(state.SelectionStart(), text.size());
  const std::size_t end = std::min(state.SelectionEnd(), text.size());
  if (start == end && insert.empty())
    return;
  if (!insert.empty() && text.size() - (end - start) + insert.size() > state.limit)
    return;
  text.replace(start, end - start, insert);
  state.anchor = state.caret = start + insert.size();
  StoreText(hwnd, text);
  Refresh(hwnd, state, text);
  Notify(hwnd, EN_CHANGE);
}

void DeleteBeside(Hwnd hwnd, EditState& state, bool before) {
  const std::size_t length = TextOf(hwnd).size();
  if (state.anchor == state.caret) {
    if (before && state.caret > 0)
      state.anchor = state.caret - 1;
    else if (!before && state.caret < length)
      state.anchor = state.caret + 1;
  }
  ReplaceSelection(hwnd, state, {});
}

void MoveCaret(Hwnd hwnd, EditState& state, std::size_t position) {
  state.caret = position;
  if (!IsKeyDown(VK_SHIFT))
    state.anchor = position;
  Refresh(hwnd, state, TextOf(hwnd));
}

void HandleKey(Hwnd hwnd, EditState& state, WPARAM key) {
  const std::size_t length = TextOf(hwnd).size();
  const bool collapse = !IsKeyDown(VK_SHIFT) && state.anchor != state.caret;
  switch (key) {
    case VK_LEFT:
    case VK_UP:  // a single line: up and down move as left and right
      MoveCaret(hwnd, state,
                collapse ? state.SelectionStart() : (state.caret > 0 ? state.caret - 1 : 0));
      break;
    case VK_RIGHT:
    case VK_DOWN:
      MoveCaret(hwnd, state, collapse ? state.SelectionEnd() : std::min(state.caret + 1, length));
      break;
    case VK_HOME:
      MoveCaret(hwnd, state, 0);
      break;
    case VK_END:
      MoveCaret(hwnd, state, length);
      break;
    case VK_DELETE:
      DeleteBeside(hwnd, state, false);
      break;
    default:
      break;
  }
}

void HandleCharacter(Hwnd hwnd, EditState& state, WPARAM character) {
  // Backspace arrives both as VK_BACK and as this character; only the character acts.
  if (character == BACKSPACE_CHARACTER) {
    DeleteBeside(hwnd, state, true);
    return;
  }
  if (character < 0x20 || character == DELETE_CHARACTER || character > 0x10FFFF ||
      (character >= 0xD800 && character <= 0xDFFF))
    return;
  const char32_t typed = static_cast<char32_t>(character);
  ReplaceSelection(hwnd, state, std::u32string_view(&typed, 1));
}

// The character boundary nearest to client x.
std::size_t PositionAt(Hwnd hwnd, const EditState& state, int x) {
  const std::u32string text = TextOf(hwnd);
  const Rect area = TextArea(hwnd, state);
  if (x < area.left)
    return state.firstVisible > 0 ? state.firstVisible - 1 : 0;
  int left = area.left;
  for (std::size_t i = state.firstVisible; i < text.size(); ++i) {
    const int advance = Advance(text[i]);
    if (x < left + advance / 2)
      return i;
    left += advance;
  }
  return text.size();
}

void HandlePointer(Hwnd hwnd, EditState& state, LPARAM lParam, bool extend) {
  const int x = static_cast<std::int16_t>(lParam & 0xFFFF);
  state.caret = PositionAt(hwnd, state, x);
  if (!extend)
    state.anchor = state.caret;
  Refresh(hwnd, state, TextOf(hwnd));
}

LRESULT PackSelection(const EditState& state) {
  constexpr std::size_t MAX_WORD = 0xFFFF;
  return MakeLParam(static_cast<int>(std::min(state.SelectionStart(), MAX_WORD)),
                    static_cast<int>(std::min(state.SelectionEnd(), MAX_WORD)));
}

void SetSelection(Hwnd hwnd, EditState& state, WPARAM wParam, LPARAM lParam) {
  const std::u32string text = TextOf(hwnd);
  const auto start = static_cast<LPARAM>(wParam);
  if (start < 0) {
    state.anchor = state.caret;  // a start of -1 only removes the selection
  } else {
    state.anchor = std::min(static_cast<std::size_t>(start), text.size());
    state.caret =
        lParam < 0 ? text.size() : std::min(static_cast<std::size_t>(lParam), text.size());
  }
  Refresh(hwnd, state, text);
}

// Sunken: shadow and black at the top left, white and light grey at the bottom right.
void PaintEdit(Hwnd hwnd) {
  PaintDC dc(hwnd);
  EditState& state = StateOf(hwnd);
  const Rect client = GetClientRect(hwnd);
  dc.FillRect(client, GetStockBrush(StockObject::WhiteBrush));
  if (state.bordered)
    DrawSunkenEdge(dc, client);

  const std::u32string text = TextOf(hwnd);
  const Rect area = TextArea(hwnd, state);
  const int cellHeight = dc.GetTextMetrics().height;
  const int top = client.top + (client.Height() - cellHeight) / 2;
  const bool focused = GetFocus() == hwnd;
  const std::size_t first = std::min(state.firstVisible, text.size());
  // Only the characters that show are drawn, so the text trace tells what the box shows.
  std::size_t last = first;
  for (int x = area.left; last < text.size() && x < area.right; ++last)
    x += Advance(text[last]);

  // The selection shows only while the box has the focus.
  const std::size_t selStart = focused ? std::clamp(state.SelectionStart(), first, last) : last;
  const std::size_t selEnd = focused ? std::clamp(state.SelectionEnd(), first, last) : last;
  const Color normal = IsWindowEnabled(hwnd) ? TEXT_COLOR : DISABLED_TEXT_COLOR;
  struct Run {
    std::size_t from;
    std::size_t to;
    bool selected;
  };
  for (const Run& run :
       {Run{first, selStart, false}, Run{selStart, selEnd, true}, Run{selEnd, last, false}}) {
    if (run.from >= run.to)
      continue;
    const int x = area.left + WidthOf(std::u32string_view(text).substr(first, run.from - first));
    dc.SetTextColor(run.selected ? SELECTED_TEXT_COLOR : normal);
    dc.SetBackgroundColor(SELECTED_BACK_COLOR);
    dc.SetBackgroundMode(run.selected ? BackgroundMode::Opaque : BackgroundMode::Transparent);
    dc.ExtTextOut(x, top, ETO_CLIPPED, &area,
                  Encode(std::u32string_view(text).substr(run.from, run.to - run.from)));
  }

  if (!focused || state.caret < first)
    return;
  const int caretX =
      area.left + WidthOf(std::u32string_view(text).substr(first, state.caret - first));
  if (caretX >= area.right)
    return;
  // An inverting caret shows on plain and on selected text alike.
  for (int y = std::max(top, area.top); y < std::min(top + cellHeight, area.bottom); ++y)
    dc.SetPixel(caretX, y, ~dc.GetPixel(caretX, y) & 0x00FFFFFF);
}

LRESULT EditProc(const Message& m) {
  const Hwnd hwnd = m.hwnd;
  EditState& state = StateOf(hwnd);
  switch (m.message) {
    case WM_CREATE: {
      // The edit draws its own sunken border in place of the plain frame.
      const std::uint32_t style = GetWindowStyle(hwnd);
      state.bordered = (style & WS_BORDER) != 0;
      SetWindowStyle(hwnd, style & ~WS_BORDER);
      return 0;
    }
    case WM_PAINT:
      PaintEdit(hwnd);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETTEXT:
      // Classically, new text puts the caret at the start with nothing selected.
      state.anchor = state.caret = state.firstVisible = 0;
      InvalidateRect(hwnd, nullptr, false);
      return 0;
    case WM_SETFOCUS:
      InvalidateRect(hwnd, nullptr, false);
      Notify(hwnd, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      state.selecting = false;
      InvalidateRect(hwnd, nullptr, false);
      Notify(hwnd, EN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, false);
      return 0;
    case WM_KEYDOWN:
      HandleKey(hwnd, state, m.wParam);
      return 0;
    case WM_CHAR:
      HandleCharacter(hwnd, state, m.wParam);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      if (!IsWindow(hwnd))  // the parent may close the box on EN_SETFOCUS
        return 0;
      HandlePointer(hwnd, state, m.lParam, IsKeyDown(VK_SHIFT));
      state.selecting = true;
      return 0;
    case WM_MOUSEMOVE:
      if (state.selecting)
        HandlePointer(hwnd, state, m.lParam, true);
      return 0;
    case WM_LBUTTONUP:
      state.selecting = false;
      return 0;
    case EM_GETSEL:
      return PackSelection(state);
    case EM_SETSEL:
      SetSelection(hwnd, state, m.wParam, m.lParam);
      return 0;
    case EM_LIMITTEXT:
      state.limit = m.wParam == 0 ? std::numeric_limits<std::size_t>::max() : m.wParam;
      return 0;
    default:
      return DefWindowProc(m);
  }
}

}  // namespace

void RegisterEditClass() {
  RegisterClass({.name = "edit", .procedure = EditProc, .background = nullptr});
}

}  // namespace platform
