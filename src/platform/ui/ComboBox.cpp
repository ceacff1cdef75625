#include <algorithm>
#include <cctype>
#include <climits>
#include <utility>

#include "platform/ui/Controls.h"
#include "platform/ui/PlatformState.h"
#include "platform/ui/ScrollBar.h"

namespace platform {

namespace {

constexpr int EDGE = 2;  // the sunken 3-D frame
constexpr int TEXT_INDENT = 2;
constexpr int FIELD_PADDING = 0;  // a field as tall as an edit: 11 dialog units
constexpr int MAX_DROPPED_LINES = 8;
constexpr int LIST_FRAME = 2;  // the dropped list's flat frame, top and bottom together
constexpr int LIST_ID = 1;
constexpr LRESULT CB_ERR = -1;
constexpr std::uint32_t F4_KEY = VK_F1 + 3;
constexpr LPARAM ALT_HELD = LPARAM{1} << 29;
constexpr const char* DROP_DOWN_CLASS = "ComboDropDown";

const Color TEXT = Rgb(0, 0, 0);
const Color BACKGROUND = Rgb(255, 255, 255);
const Color SELECTED_TEXT = Rgb(255, 255, 255);
const Color SELECTED_BACKGROUND = Rgb(0, 0, 128);
const Color DISABLED_TEXT = Rgb(128, 128, 128);
const Color DISABLED_BACKGROUND = Rgb(192, 192, 192);

struct ComboBoxState {
  std::vector<std::string> entries;
  int selection = -1;
  Hwnd dropDown;  // the pop-up while the list is open
  Hwnd list;      // its list box
};

// The open list lives in a transparent pop-up over the whole screen, so that a press
// anywhere outside the list reaches the pop-up and closes the list: the platform has no
// pointer capture. While it is open nothing underneath repaints.
struct DropDownState {
  Hwnd comboBox;
  Hwnd list;
  bool forwardingKey = false;  // a selection change now comes from a key, not a click
};

ComboBoxState& StateOf(Hwnd hwnd) {
  std::any* data = GetWindowData(hwnd);
  if (!data->has_value())
    *data = ComboBoxState{};
  return std::any_cast<ComboBoxState&>(*data);
}

DropDownState* DropDownOf(Hwnd popup) {
  std::any* data = GetWindowData(popup);
  return data ? std::any_cast<DropDownState>(data) : nullptr;
}

// The height of a list box line.
int LineHeight() {
  return SystemFont()->Metrics().height + 2;
}

int FieldHeight() {
  return SystemFont()->Metrics().height + 2 * (EDGE + FIELD_PADDING);
}

int Count(const ComboBoxState& state) {
  return static_cast<int>(state.entries.size());
}

bool IsOpen(Hwnd hwnd) {
  return static_cast<bool>(StateOf(hwnd).dropDown);
}

void Notify(Hwnd hwnd, std::uint16_t code) {
  if (const Hwnd parent = GetParent(hwnd)) {
    SendMessage(parent, WM_COMMAND,
                MakeWParam(static_cast<std::uint16_t>(GetDlgCtrlID(hwnd)), code),
                static_cast<LPARAM>(hwnd.value));
  }
}

// Sets the selection, telling the parent when the user changed it.
void Select(Hwnd hwnd, int index, bool byUser) {
  ComboBoxState& state = StateOf(hwnd);
  if (index == state.selection)
    return;
  state.selection = index;
  InvalidateRect(hwnd, nullptr, false);
  if (byUser)
    Notify(hwnd, CBN_SELCHANGE);
}

// Below the box, or above it when the list would leave the screen there; when it fits on
// neither side it takes the roomier one and shows fewer lines.
Rect DroppedListRect(const Rect& box, int count) {
  const int wanted = std::clamp(count, 1, MAX_DROPPED_LINES);
  const int below = SCREEN_HEIGHT - box.bottom;
  const int above = box.top;
  const auto height = [](int lines) { return lines * LineHeight() + LIST_FRAME; };
  if (height(wanted) <= below || below >= above) {
    const int lines = std::clamp((below - LIST_FRAME) / LineHeight(), 1, wanted);
    return {box.left, box.bottom, box.right, box.bottom + height(lines)};
  }
  const int lines = std::clamp((above - LIST_FRAME) / LineHeight(), 1, wanted);
  return {box.left, box.top - height(lines), box.right, box.top};
}

void OpenDropDown(Hwnd hwnd) {
  if (IsOpen(hwnd))
    return;
  // The parent may still fill the list.
  Notify(hwnd, CBN_DROPDOWN);
  if (!IsWindow(hwnd) || IsOpen(hwnd))
    return;
  ComboBoxState& state = StateOf(hwnd);
  const Rect listRect = DroppedListRect(GetWindowRect(hwnd), Count(state));
  const Hwnd popup = CreateWindow({.className = DROP_DOWN_CLASS,
                                   .style = WS_POPUP,
                                   .rect = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}});
  if (!popup)
    return;
  SetWindowData(popup, DropDownState{.comboBox = hwnd});
  const bool scrolls = (listRect.Height() - LIST_FRAME) / LineHeight() < Count(state);
  const Hwnd list = CreateWindow({.className = "Listbox",
                                  .style = WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_COMBOBOX |
                                           LBS_NOTIFY | (scrolls ? WS_VSCROLL : 0),
                                  .rect = listRect,
                                  .parent = popup,
                                  .id = LIST_ID});
  if (!list) {
    DestroyWindow(popup);
    return;
  }
  DropDownOf(popup)->list = list;
  for (const std::string& entry : state.entries)
    SendMessage(list, LB_ADDSTRING, 0, 0, entry);
  SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(static_cast<std::intptr_t>(state.selection)));
  state.dropDown = popup;
  state.list = list;
  // The box shows itself open now: once the pop-up covers it, it cannot repaint.
  InvalidateRect(hwnd, nullptr, false);
  UpdateWindow(hwnd);
  ShowWindow(popup, true);
  SetFocus(popup);
}

// Closes the list; `choose` takes its highlighted line as the new selection.
void CloseDropDown(Hwnd hwnd, bool choose) {
  ComboBoxState& state = StateOf(hwnd);
  const Hwnd popup = std::exchange(state.dropDown, Hwnd{});
  const Hwnd list = std::exchange(state.list, Hwnd{});
  if (!popup)
    return;
  int chosen = state.selection;
  if (choose) {
    const LRESULT highlighted = SendMessage(list, LB_GETCURSEL).value_or(-1);
    if (highlighted >= 0 && highlighted < Count(state))
      chosen = static_cast<int>(highlighted);
  }
  const int before = state.selection;
  state.selection = chosen;
  // Give the focus back only when the list had it: a close because the focus went
  // elsewhere leaves it there.
  if (GetFocus() == popup)
    SetFocus(hwnd);
  DestroyWindow(popup);
  if (!IsWindow(hwnd))
    return;
  InvalidateRect(hwnd, nullptr, false);
  if (chosen != before) {
    Notify(hwnd, CBN_SELCHANGE);
    if (!IsWindow(hwnd))
      return;
  }
  Notify(hwnd, CBN_CLOSEUP);
}

bool IsOpenOrCloseKey(std::uint32_t key, LPARAM flags) {
  return key == F4_KEY || ((flags & ALT_HELD) != 0 && (key == VK_UP || key == VK_DOWN));
}

void HandleClosedKey(Hwnd hwnd, std::uint32_t key, LPARAM flags) {
  if (IsOpenOrCloseKey(key, flags)) {
    OpenDropDown(hwnd);
    return;
  }
  const ComboBoxState& state = StateOf(hwnd);
  const int count = Count(state);
  if (count == 0)
    return;
  int target = state.selection;
  switch (key) {
    case VK_UP:
      target = state.selection < 0 ? 0 : state.selection - 1;
      break;
    case VK_DOWN:
      target = state.selection + 1;
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = count - 1;
      break;
    default:
      return;
  }
  Select(hwnd, std::clamp(target, 0, count - 1), true);
}

char FoldCase(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// A typed character selects the next entry starting with it, round to the top.
void HandleClosedCharacter(Hwnd hwnd, WPARAM character) {
  if (character <= ' ' || character >= 0x7F)
    return;
  const ComboBoxState& state = StateOf(hwnd);
  const int count = Count(state);
  const char wanted = FoldCase(static_cast<char>(character));
  for (int step = 1; step <= count; ++step) {
    const int index = (std::max(state.selection, -1) + step) % count;
    const std::string& text = state.entries[index];
    if (!text.empty() && FoldCase(text.front()) == wanted) {
      Select(hwnd, index, true);
      return;
    }
  }
}

void PaintComboBox(Hwnd hwnd) {
  PaintDC dc(hwnd);
  const ComboBoxState& state = StateOf(hwnd);
  const Rect client = GetClientRect(hwnd);
  DrawSunkenEdge(dc, client);
  const Rect inner{client.left + EDGE, client.top + EDGE, client.right - EDGE,
                   client.bottom - EDGE};
  const Rect button{std::max(inner.left, inner.right - SCROLL_BAR_WIDTH), inner.top, inner.right,
                    inner.bottom};
  const Rect field{inner.left, inner.top, button.left, inner.bottom};
  const bool enabled = IsWindowEnabled(hwnd);
  const bool open = static_cast<bool>(state.dropDown);
  const bool highlighted = enabled && (open || GetFocus() == hwnd);
  // The field is only as tall as the font: the highlight fills all of it and the focus
  // rectangle runs on its edge, so that no descender or underscore is clipped.
  dc.FillRect(field, CreateSolidBrush(highlighted ? SELECTED_BACKGROUND
                                                  : (enabled ? BACKGROUND : DISABLED_BACKGROUND)));
  const std::string text = state.selection >= 0 ? state.entries[state.selection] : std::string();
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.SetTextColor(!enabled ? DISABLED_TEXT : highlighted ? SELECTED_TEXT : TEXT);
  const int textTop = field.top + (field.Height() - dc.GetTextMetrics().height) / 2;
  dc.ExtTextOut(field.left + 1 + TEXT_INDENT, textTop, ETO_CLIPPED, &field, text);
  if (highlighted)
    DrawFocusRect(dc, field, SELECTED_TEXT);
  DrawArrowButton(dc, button, ArrowDirection::Down, enabled, open);
}

LRESULT AddEntry(Hwnd hwnd, const std::any& payload) {
  const std::string* text = std::any_cast<std::string>(&payload);
  if (text == nullptr)
    return CB_ERR;
  ComboBoxState& state = StateOf(hwnd);
  state.entries.push_back(*text);
  if (state.list)
    SendMessage(state.list, LB_ADDSTRING, 0, 0, *text);
  return Count(state) - 1;
}

void ResetContent(Hwnd hwnd) {
  ComboBoxState& state = StateOf(hwnd);
  state.entries.clear();
  state.selection = -1;
  if (state.list)
    SendMessage(state.list, LB_RESETCONTENT);
  InvalidateRect(hwnd, nullptr, false);
}

// An index out of range is refused and leaves the selection as it was; -1 clears it.
LRESULT SetSelection(Hwnd hwnd, std::intptr_t index) {
  ComboBoxState& state = StateOf(hwnd);
  if (index < -1 || index >= Count(state))
    return CB_ERR;
  Select(hwnd, static_cast<int>(index), false);
  if (state.list)
    SendMessage(state.list, LB_SETCURSEL, static_cast<WPARAM>(index));
  return index;
}

LRESULT ComboBoxProc(const Message& m) {
  const Hwnd hwnd = m.hwnd;
  switch (m.message) {
    case WM_CREATE: {
      StateOf(hwnd);
      // The box is always one field tall: a template's extra height is the room the
      // classic list took, and the list here sizes itself by its entries.
      const Rect rect = FindWindowData(hwnd)->rect;
      MoveWindow(hwnd, {rect.left, rect.top, rect.right, rect.top + FieldHeight()});
      return 0;
    }
    case WM_DESTROY:
      if (const Hwnd popup = std::exchange(StateOf(hwnd).dropDown, Hwnd{}))
        DestroyWindow(popup);
      return 0;
    case WM_PAINT:
      PaintComboBox(hwnd);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd, nullptr, false);
      return 0;
    case WM_ENABLE:
      if (m.wParam == 0)
        CloseDropDown(hwnd, false);
      InvalidateRect(hwnd, nullptr, false);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
      // Keys sent to the box while its list is open belong to the list.
      if (const Hwnd popup = StateOf(hwnd).dropDown) {
        SendMessage(popup, m.message, m.wParam, m.lParam);
      } else if (m.message == WM_CHAR) {
        HandleClosedCharacter(hwnd, m.wParam);
      } else {
        HandleClosedKey(hwnd, static_cast<std::uint32_t>(m.wParam), m.lParam);
      }
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      if (IsOpen(hwnd)) {
        CloseDropDown(hwnd, false);
      } else if (IsWindowEnabled(hwnd)) {
        OpenDropDown(hwnd);
      }
      return 0;
    case CB_ADDSTRING:
      return AddEntry(hwnd, m.payload);
    case CB_RESETCONTENT:
      ResetContent(hwnd);
      return 0;
    case CB_GETCOUNT:
      return Count(StateOf(hwnd));
    case CB_SETCURSEL:
      return SetSelection(hwnd, static_cast<std::intptr_t>(m.wParam));
    case CB_GETCURSEL:
      return StateOf(hwnd).selection;
    case CB_SHOWDROPDOWN:
      if (m.wParam != 0) {
        OpenDropDown(hwnd);
      } else {
        CloseDropDown(hwnd, false);
      }
      return 1;
    case CB_GETDROPPEDSTATE:
      return IsOpen(hwnd) ? 1 : 0;
    default:
      return DefWindowProc(m);
  }
}

// Keys the list box should see, with a note that its selection changes come from them.
void ForwardToList(Hwnd popup, const Message& m) {
  DropDownState* dropDown = DropDownOf(popup);
  const Hwnd list = dropDown->list;
  dropDown->forwardingKey = true;
  SendMessage(list, m.message == WM_CHAR ? WM_CHAR : WM_KEYDOWN, m.wParam, m.lParam);
  if (DropDownState* after = DropDownOf(popup))
    after->forwardingKey = false;
}

LRESULT DropDownProc(const Message& m) {
  const Hwnd popup = m.hwnd;
  const DropDownState* dropDown = DropDownOf(popup);
  if (dropDown == nullptr)
    return DefWindowProc(m);
  const Hwnd comboBox = dropDown->comboBox;
  // Only the pop-up the box still counts as open may close it.
  const auto close = [&](bool choose) {
    if (IsWindow(comboBox) && StateOf(comboBox).dropDown == popup)
      CloseDropDown(comboBox, choose);
  };
  switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const auto key = static_cast<std::uint32_t>(m.wParam);
      if (key == VK_RETURN || IsOpenOrCloseKey(key, m.lParam)) {
        close(true);
      } else if (key == VK_ESCAPE) {
        close(false);
      } else {
        ForwardToList(popup, m);
      }
      return 0;
    }
    case WM_CHAR:
      ForwardToList(popup, m);
      return 0;
    case WM_COMMAND:
      if (LowWord(m.wParam) == LIST_ID && HighWord(m.wParam) == LBN_SELCHANGE &&
          !dropDown->forwardingKey) {
        close(true);
      }
      return 0;
    case WM_LBUTTONDOWN:  // outside the list: the list's own presses go to the list
    case WM_KILLFOCUS:
      close(false);
      return 0;
    default:
      return DefWindowProc(m);
  }
}

}  // namespace

void RegisterComboBoxClass() {
  RegisterClass({.name = "combobox", .procedure = ComboBoxProc, .background = nullptr});
  RegisterClass({.name = DROP_DOWN_CLASS, .procedure = DropDownProc, .background = nullptr});
}

}  // namespace platform
