#include "WindowTestSupport.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ScrollBar.h"

namespace {

using namespace ui_test;

const Color NAVY = Rgb(0, 0, 128);
constexpr int LIST_ID = 31;
constexpr int COMBO_ID = 32;
constexpr std::uint32_t F4_KEY = VK_F1 + 3;

int LineHeight() {
  return SystemFont()->Metrics().height + 2;
}

// 13 wide, 126 tall: two 13-pixel arrows and a 100-pixel track.
const Rect BAR{100, 20, 113, 146};

TEST(ScrollBarTest, TheThumbIsTheVisibleShareOfTheTrackAndDraggingItGivesItsPositionBack) {
  // A thousand lines still leave a thumb a pointer can hit; none when everything fits.
  const std::tuple<int, int, int> cases[] = {
      {10, 5, 50}, {40, 10, 25}, {1000, 10, 8}, {5, 5, 0}, {0, 6, 0}};
  for (const auto& [total, visible, length] : cases) {
    const VerticalScrollBar bar(BAR, total, visible, 0);
    EXPECT_EQ(bar.Thumb().Height(), length) << total << " lines, " << visible << " visible";
    EXPECT_EQ(bar.IsActive(), length > 0) << total << " lines, " << visible << " visible";
  }
  for (int position = 0; position <= 30; ++position) {
    const VerticalScrollBar bar(BAR, 40, 10, position);
    EXPECT_EQ(bar.PositionForDrag(bar.Thumb().top + 7, 7), position) << position;
  }
}

class ListControlsTest : public HostTest {
 protected:
  Hwnd MakeListBox(std::uint32_t style, int visibleLines, int count) {
    // The sunken frame takes two pixels on each side.
    const Hwnd list = MakeChild("Listbox", WS_TABSTOP | WS_BORDER | style,
                                {10, 10, 160, 14 + visibleLines * LineHeight()}, LIST_ID);
    for (int i = 0; i < count; ++i)
      SendMessage(list, LB_ADDSTRING, 0, 0, "Line " + std::to_string(i));
    PumpMessages();
    return list;
  }
  Hwnd MakeComboBox(int top, int count) {
    const Hwnd combo = MakeChild("combobox", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                 {40, top, 140, top + 100}, COMBO_ID);
    for (int i = 1; i <= count; ++i)
      SendMessage(combo, CB_ADDSTRING, 0, 0, "COM" + std::to_string(i) + ":");
    PumpMessages();
    return combo;
  }
  // The screen point in the middle of a list box's line `row` counted from its top.
  Point LinePoint(Hwnd list, int row, int frame = 2) {
    const Rect r = GetWindowRect(list);
    return {r.left + 20, r.top + frame + row * LineHeight() + LineHeight() / 2};
  }
  LRESULT Send(Hwnd hwnd, std::uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessage(hwnd, message, wParam, lParam).value_or(-99);
  }
  bool Shows(std::string_view text, Hwnd hwnd) {
    return test.Screen().Trace().IsVisibleIn(text, GetWindowRect(hwnd));
  }
};

TEST_F(ListControlsTest, ProgramCallsCheckTheirArgumentsAndNeverNotify) {
  const Hwnd list = MakeListBox(LBS_NOTIFY, 4, 2);
  const Hwnd combo = MakeComboBox(150, 3);
  EXPECT_EQ(SendMessage(list, LB_ADDSTRING, 0, 0, 42), -1) << "a payload that is no text";
  EXPECT_EQ(Send(combo, CB_SETCURSEL, 1), 1);
  EXPECT_EQ(Send(combo, CB_SETCURSEL, 3), -1);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 1);
  EXPECT_TRUE(host.commands.empty()) << "CB_SETCURSEL is the program's choice";
  EXPECT_EQ(Send(list, WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
  EXPECT_EQ(Send(combo, WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(ListControlsTest, ListBoxKeysMoveTheSelectionAndNotifyOnlyOnChange) {
  const Hwnd list = MakeListBox(LBS_NOTIFY, 4, 10);
  SetFocus(list);
  // Key, caret, top line, whether it notifies. No caret yet: Down goes to the first line; a
  // page is the visible lines less one; the view follows the caret; Left is no list key.
  const std::tuple<std::uint32_t, int, int, bool> steps[] = {
      {VK_DOWN, 0, 0, true}, {VK_UP, 0, 0, false},   {VK_NEXT, 3, 0, true}, {VK_DOWN, 4, 1, true},
      {VK_END, 9, 6, true},  {VK_PRIOR, 6, 6, true}, {VK_HOME, 0, 0, true}, {VK_LEFT, 0, 0, false}};
  for (const auto& [key, caret, top, notifies] : steps) {
    const std::size_t before = host.commands.size();
    Inject(Key(key));
    EXPECT_EQ(Send(list, LB_GETCURSEL), caret) << "key " << key;
    EXPECT_EQ(Send(list, LB_GETTOPINDEX), top) << "key " << key;
    EXPECT_EQ(host.commands.size() - before, notifies ? 1u : 0u) << "key " << key;
  }
  EXPECT_EQ(host.CommandCount(LIST_ID, LBN_SELCHANGE), static_cast<int>(host.commands.size()));
}

TEST_F(ListControlsTest, ALetterSelectsTheNextLineStartingWithItInListAndClosedCombo) {
  const Hwnd list = MakeListBox(LBS_NOTIFY, 4, 0);
  const Hwnd combo = MakeComboBox(150, 0);
  const std::pair<char, int> steps[] = {
      {'c', 0}, {'C', 2}, {'c', 4}, {'c', 0},  // on round, either case
      {'u', 3}, {'x', 3},                      // no line starts with x
  };
  for (const auto& [control, id, getCurSel] :
       {std::tuple{list, LIST_ID, LB_GETCURSEL}, std::tuple{combo, COMBO_ID, CB_GETCURSEL}}) {
    for (const char* name : {"COM1:", "Bluetooth", "com2:", "USB", "Com3:"})
      SendMessage(control, id == LIST_ID ? LB_ADDSTRING : CB_ADDSTRING, 0, 0, std::string(name));
    SetFocus(control);
    for (const auto& [character, caret] : steps) {
      Inject(Chars(std::string(1, character)));
      EXPECT_EQ(Send(control, getCurSel), caret) << id << ": " << character;
    }
  }
  EXPECT_EQ(host.CommandCount(LIST_ID, LBN_SELCHANGE), 5);
  EXPECT_EQ(host.CommandCount(COMBO_ID, CBN_SELCHANGE), 5);
}

TEST_F(ListControlsTest, ExtendedListBoxSelectsSeveralLines) {
  const Hwnd list = MakeListBox(LBS_EXTENDEDSEL | LBS_NOTIFY, 4, 8);
  EXPECT_EQ(Send(list, LB_SETSEL, 1, 5), 0);
  EXPECT_EQ(Send(list, LB_SETSEL, 1, 8), -1) << "past the last line";
  EXPECT_EQ(Send(list, LB_SETSEL, 1, -1), 0);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 8);
  Send(list, LB_SETSEL, 0, -1);
  EXPECT_TRUE(host.commands.empty()) << "set by the program, not the user";

  // Space toggles the caret line; a plain arrow keeps only the new line; Shift+arrow
  // extends from where the range began.
  SetFocus(list);
  Send(list, LB_SETCURSEL, 1);
  Inject(Key(VK_SPACE));
  EXPECT_EQ(Send(list, LB_GETSEL, 1), 0);
  Inject(Key(VK_SPACE) + Key(VK_DOWN, true) + Key(VK_DOWN, true));
  EXPECT_EQ(Send(list, LB_GETCURSEL), 3);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 3);
  Inject(Key(VK_UP, true));
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 2);
  Inject(Key(VK_DOWN));
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 1);
  EXPECT_EQ(Send(list, LB_GETSEL, 3), 1);
  EXPECT_EQ(host.CommandCount(LIST_ID, LBN_SELCHANGE), 6);
}

// Deleting a line moves the lines below it up, with their selection and caret; the view
// keeps its lines, and the text of each line can be read back.
TEST_F(ListControlsTest, DeletingALineMovesTheLinesBelowItUp) {
  const Hwnd list = MakeListBox(LBS_EXTENDEDSEL | WS_VSCROLL, 4, 10);
  Send(list, LB_SETCURSEL, 6);
  Send(list, LB_SETTOPINDEX, 5);
  EXPECT_EQ(Send(list, LB_DELETESTRING, 10), -1) << "past the last line";
  EXPECT_EQ(Send(list, LB_DELETESTRING, static_cast<WPARAM>(-1)), -1);
  EXPECT_EQ(Send(list, LB_DELETESTRING, 0), 9);
  EXPECT_EQ(GetListBoxText(list, 0), "Line 1");
  EXPECT_EQ(GetListBoxText(list, 8), "Line 9");
  EXPECT_EQ(GetListBoxText(list, 9), std::nullopt);
  EXPECT_EQ(GetListBoxText(list, -1), std::nullopt);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 5);
  EXPECT_EQ(Send(list, LB_GETSEL, 5), 1);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 4);
  PumpMessages();
  EXPECT_TRUE(Shows("Line 5", list));
  EXPECT_FALSE(Shows("Line 4", list));
  // The caret's own line goes with it; the top stays where the shorter list still fills.
  EXPECT_EQ(Send(list, LB_DELETESTRING, 5), 8);
  EXPECT_EQ(Send(list, LB_GETCURSEL), -1);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 0);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 4);
  EXPECT_EQ(GetListBoxText(GetParent(list), 0), std::nullopt) << "no list at all";
}

TEST_F(ListControlsTest, ClickingALineSelectsItOnce) {
  const Hwnd list = MakeListBox(LBS_NOTIFY | WS_VSCROLL, 4, 10);
  Send(list, LB_SETTOPINDEX, 2);
  Inject(Click(LinePoint(list, 1)) + Click(LinePoint(list, 1)));
  EXPECT_EQ(GetFocus(), list);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 3);
  EXPECT_EQ(host.CommandCount(LIST_ID, LBN_SELCHANGE), 1) << "the same line again changes nothing";
  const Point selected = LinePoint(list, 1);
  EXPECT_EQ(At(selected.x + 60, selected.y), NAVY);
  // Below the last line nothing happens; without LBS_NOTIFY nothing is told.
  DestroyWindow(list);
  const Hwnd quiet = MakeListBox(0, 4, 2);
  Inject(Click(LinePoint(quiet, 3)));
  EXPECT_EQ(Send(quiet, LB_GETCURSEL), -1);
  Inject(Click(LinePoint(quiet, 1)));
  EXPECT_EQ(Send(quiet, LB_GETCURSEL), 1);
  EXPECT_EQ(host.commands.size(), 1u);
}

TEST_F(ListControlsTest, ScrollBarArrowsTrackAndThumbScrollTheList) {
  const Hwnd list = MakeListBox(WS_VSCROLL, 4, 20);
  const Rect r = GetWindowRect(list);
  const int barX = r.right - 2 - SCROLL_BAR_WIDTH / 2 - 1;
  Inject(Click({barX, r.bottom - 6}) + Click({barX, r.bottom - 6}) + Click({barX, r.top + 6}));
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 1) << "down, down, up";
  Inject(Click({barX, r.bottom - 2 - SCROLL_BAR_WIDTH - 2}));
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 5) << "a page is the visible lines";
  EXPECT_EQ(Send(list, LB_GETCURSEL), -1) << "scrolling selects nothing";

  // The thumb follows the pointer, also off the bar, until the button is released.
  Send(list, LB_SETTOPINDEX, 0);
  const int x = GetClientRect(list).right - 2 - SCROLL_BAR_WIDTH / 2;
  const int grabY = 2 + SCROLL_BAR_WIDTH + 2;
  SendMessage(list, WM_LBUTTONDOWN, 0, MakeLParam(x, grabY));
  SendMessage(list, WM_MOUSEMOVE, 0, MakeLParam(-40, 500));
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 16);
  SendMessage(list, WM_MOUSEMOVE, 0, MakeLParam(x, -300));
  SendMessage(list, WM_LBUTTONUP, 0, MakeLParam(x, -300));
  SendMessage(list, WM_MOUSEMOVE, 0, MakeLParam(x, 500));
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 0) << "no drag after the release";
}

TEST_F(ListControlsTest, ClosedComboBoxArrowsChangeTheSelectionAndNotify) {
  const Hwnd combo = MakeComboBox(20, 3);
  EXPECT_LT(GetWindowRect(combo).Height(), 30) << "one field tall whatever it was made with";
  Send(combo, CB_SETCURSEL, 0);
  SetFocus(combo);
  const std::pair<std::uint32_t, int> steps[] = {
      {VK_DOWN, 1}, {VK_DOWN, 2}, {VK_DOWN, 2}, {VK_UP, 1}, {VK_HOME, 0}, {VK_UP, 0}, {VK_END, 2},
  };
  for (const auto& [key, selection] : steps) {
    Inject(Key(key));
    EXPECT_EQ(Send(combo, CB_GETCURSEL), selection) << "key " << key;
  }
  EXPECT_EQ(host.commands, Commands(5, {COMBO_ID, CBN_SELCHANGE}));
  EXPECT_EQ(Send(combo, CB_GETDROPPEDSTATE), 0);
  EXPECT_TRUE(Shows("COM3:", combo));
}

TEST_F(ListControlsTest, DropDownDrivenByKeysAloneChangesTheSelectionOnlyOnEnter) {
  const Hwnd combo = MakeComboBox(20, 5);
  Send(combo, CB_SETCURSEL, 1);
  SetFocus(combo);
  Inject(Key(F4_KEY));
  ASSERT_EQ(Send(combo, CB_GETDROPPEDSTATE), 1);
  const Hwnd list = FindWindow("Listbox", "");
  EXPECT_NE(GetFocus(), combo) << "the open list takes the keys";
  EXPECT_EQ(GetWindowRect(list).top, GetWindowRect(combo).bottom);
  EXPECT_TRUE(Shows("COM5:", list));

  // Up and Down move the highlight only; the box keeps its selection until Enter.
  Inject(Key(VK_DOWN) + Key(VK_DOWN) + Key(VK_UP) + Chars("c"));
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 1);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 3);
  Inject(Key(VK_RETURN));
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 3);
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(GetFocus(), combo);
  EXPECT_EQ(
      host.commands,
      (Commands{{COMBO_ID, CBN_DROPDOWN}, {COMBO_ID, CBN_SELCHANGE}, {COMBO_ID, CBN_CLOSEUP}}));
  EXPECT_TRUE(Shows("COM4:", combo));

  // Alt+Down opens as F4 does; Escape, or Enter on the same line, closes without a change.
  Inject(Key(VK_DOWN, false, true));
  ASSERT_EQ(Send(combo, CB_GETDROPPEDSTATE), 1);
  Inject(Key(VK_DOWN) + Key(VK_ESCAPE));
  EXPECT_EQ(Send(combo, CB_GETDROPPEDSTATE), 0);
  EXPECT_EQ(GetFocus(), combo);
  Inject(Key(F4_KEY) + Key(VK_RETURN));
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 3);
  EXPECT_EQ(host.CommandCount(COMBO_ID, CBN_SELCHANGE), 1);
  EXPECT_EQ(host.CommandCount(COMBO_ID, CBN_CLOSEUP), 3);
}

TEST_F(ListControlsTest, TwelvePortsScrollToShowTheSelection) {
  const Hwnd combo = MakeComboBox(200, 12);  // near the bottom: the list opens above the box
  Send(combo, CB_SETCURSEL, 10);
  Send(combo, CB_SHOWDROPDOWN, 1);
  PumpMessages();
  const Hwnd list = FindWindow("Listbox", "");
  EXPECT_EQ(GetWindowRect(list).bottom, GetWindowRect(combo).top);
  EXPECT_EQ(GetWindowRect(list).Height(), 8 * LineHeight() + 2) << "at most eight lines";
  EXPECT_TRUE(Shows("COM11:", list));
  EXPECT_FALSE(Shows("COM12:", list));
  Inject(Key(VK_DOWN) + Key(VK_RETURN));
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 11);
  // Destroying the open box takes its list along.
  Send(combo, CB_SHOWDROPDOWN, 1);
  DestroyWindow(combo);
  PumpMessages();
  EXPECT_FALSE(FindWindow("Listbox", ""));
}

TEST_F(ListControlsTest, ClickingALineChoosesItAndAClickOutsideCloses) {
  const Hwnd combo = MakeComboBox(20, 5);
  Send(combo, CB_SETCURSEL, 0);
  const Rect box = GetWindowRect(combo);
  const Point inBox{box.left + 10, box.top + 5};
  Inject(Click(inBox));
  ASSERT_EQ(Send(combo, CB_GETDROPPEDSTATE), 1);
  Inject(Click(LinePoint(FindWindow("Listbox", ""), 3, 1)));
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 3);
  EXPECT_EQ(Send(combo, CB_GETDROPPEDSTATE), 0);
  EXPECT_EQ(GetFocus(), combo);

  // Anywhere else, the box itself included, closes without a change.
  for (const Point outside : {Point{300, 230}, inBox}) {
    Inject(Click(inBox));
    ASSERT_EQ(Send(combo, CB_GETDROPPEDSTATE), 1);
    Inject(Click(outside));
    EXPECT_EQ(Send(combo, CB_GETDROPPEDSTATE), 0) << outside.x << "," << outside.y;
  }
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 3);
  EXPECT_EQ(host.CommandCount(COMBO_ID, CBN_SELCHANGE), 1);
  EXPECT_EQ(host.CommandCount(COMBO_ID, CBN_CLOSEUP), 3);
  EXPECT_EQ(host.Count(WM_LBUTTONDOWN), 0) << "the closing click reaches nothing below";

  // Focus leaving the open list closes it without taking the focus back.
  const Hwnd other = MakeListBox(0, 4, 2);
  Send(combo, CB_SHOWDROPDOWN, 1);
  SetFocus(other);
  EXPECT_EQ(Send(combo, CB_GETDROPPEDSTATE), 0);
  EXPECT_EQ(GetFocus(), other);
}

}  // namespace
