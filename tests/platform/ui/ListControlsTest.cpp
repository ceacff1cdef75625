#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "WindowTestSupport.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ScrollBar.h"

namespace {

using namespace platform;
using namespace ui_test;

const Color NAVY = Rgb(0, 0, 128);
const Color WHITE = Rgb(255, 255, 255);
constexpr int LIST_ID = 31;
constexpr int COMBO_ID = 32;
constexpr std::uint32_t F4_KEY = VK_F1 + 3;

int LineHeight() {
  return SystemFont()->Metrics().height + 2;
}

// --- The scroll bar's geometry ------------------------------------------------------------

// 13 wide, 126 tall: two 13-pixel arrows and a 100-pixel track.
const Rect BAR{100, 20, 113, 146};

TEST(ScrollBarTest, ThumbLengthIsTheVisibleShareOfTheTrack) {
  struct Case {
    int total;
    int visible;
    int length;  // 0: no thumb
  };
  const Case cases[] = {
      {10, 5, 50},    // half the lines show: half the track
      {40, 10, 25},   //
      {1000, 10, 8},  // never shorter than a pointer can hit
      {5, 5, 0},      // everything fits: nothing to drag
      {0, 6, 0},      // an empty list
  };
  for (const Case& c : cases) {
    const VerticalScrollBar bar(BAR, c.total, c.visible, 0);
    EXPECT_EQ(bar.Thumb().Height(), c.length) << c.total << " lines, " << c.visible << " visible";
    EXPECT_EQ(bar.IsActive(), c.length > 0) << c.total << " lines, " << c.visible << " visible";
  }
}

TEST(ScrollBarTest, ThumbRunsFromTheTopOfTheTrackToItsBottom) {
  const VerticalScrollBar first(BAR, 40, 10, 0);
  const VerticalScrollBar last(BAR, 40, 10, 30);
  const VerticalScrollBar beyond(BAR, 40, 10, 99);
  EXPECT_EQ(first.Track(), (Rect{100, 33, 113, 133}));
  EXPECT_EQ(first.Thumb().top, first.Track().top);
  EXPECT_EQ(last.Thumb().bottom, last.Track().bottom);
  EXPECT_EQ(beyond.Thumb(), last.Thumb());
}

TEST(ScrollBarTest, HitTestNamesEachPart) {
  const VerticalScrollBar bar(BAR, 40, 10, 10);  // thumb at 33 + 75 * 10 / 30 = 58, 25 long
  ASSERT_EQ(bar.Thumb(), (Rect{100, 58, 113, 83}));
  const std::pair<Point, ScrollBarPart> cases[] = {
      {{105, 20}, ScrollBarPart::UpArrow},    {{105, 32}, ScrollBarPart::UpArrow},
      {{105, 33}, ScrollBarPart::PageUp},     {{105, 57}, ScrollBarPart::PageUp},
      {{105, 58}, ScrollBarPart::Thumb},      {{112, 82}, ScrollBarPart::Thumb},
      {{105, 83}, ScrollBarPart::PageDown},   {{105, 132}, ScrollBarPart::PageDown},
      {{105, 133}, ScrollBarPart::DownArrow}, {{105, 145}, ScrollBarPart::DownArrow},
      {{99, 60}, ScrollBarPart::None},        {{113, 60}, ScrollBarPart::None},
      {{105, 146}, ScrollBarPart::None},
  };
  for (const auto& [point, part] : cases)
    EXPECT_EQ(bar.HitTest(point), part) << point.x << "," << point.y;
}

TEST(ScrollBarTest, DraggingTheThumbGivesBackThePositionItShows) {
  for (int position = 0; position <= 30; ++position) {
    const VerticalScrollBar bar(BAR, 40, 10, position);
    const int grab = 7;
    EXPECT_EQ(bar.PositionForDrag(bar.Thumb().top + grab, grab), position) << position;
  }
  const VerticalScrollBar bar(BAR, 40, 10, 12);
  EXPECT_EQ(bar.PositionForDrag(-500, 3), 0);
  EXPECT_EQ(bar.PositionForDrag(500, 3), 30);
}

TEST(ScrollBarTest, AShortBarSharesItsHeightBetweenTheArrows) {
  const VerticalScrollBar bar({0, 0, 13, 20}, 40, 2, 5);
  EXPECT_EQ(bar.UpArrow(), (Rect{0, 0, 13, 10}));
  EXPECT_EQ(bar.DownArrow(), (Rect{0, 10, 13, 20}));
  EXPECT_TRUE(bar.Thumb().IsEmpty());
  EXPECT_EQ(bar.HitTest({5, 15}), ScrollBarPart::DownArrow);
  EXPECT_EQ(bar.PositionForDrag(15, 0), 5);
}

// --- Controls on a host window -----------------------------------------------------------

struct Notification {
  int id;
  int code;
  friend bool operator==(const Notification&, const Notification&) = default;
};

class ListControlsTest : public ::testing::Test {
 protected:
  testing_support::TestPlatform test;
  RecordingClass host;
  Hwnd window;
  std::vector<Notification> notifications;

  void SetUp() override {
    host.Register("ListHost", Rgb(192, 192, 192));
    host.hook = [this](const Message& m) -> LRESULT {
      if (m.message == WM_COMMAND)
        notifications.push_back({LowWord(m.wParam), HighWord(m.wParam)});
      return 0;
    };
    window = MakeTopLevel("ListHost", {0, 0, 320, 240});
    PumpMessages();
  }

  Hwnd MakeListBox(std::uint32_t style, int visibleLines, int count) {
    // The sunken frame takes two pixels on each side.
    const Hwnd list = CreateWindow({.className = "Listbox",
                                    .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | style,
                                    .rect = {10, 10, 160, 14 + visibleLines * LineHeight()},
                                    .parent = window,
                                    .id = LIST_ID});
    for (int i = 0; i < count; ++i)
      SendMessage(list, LB_ADDSTRING, 0, 0, "Line " + std::to_string(i));
    PumpMessages();
    return list;
  }

  Hwnd MakeComboBox(int top, int count) {
    const Hwnd combo =
        CreateWindow({.className = "combobox",
                      .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                      .rect = {40, top, 140, top + 100},
                      .parent = window,
                      .id = COMBO_ID});
    for (int i = 1; i <= count; ++i)
      SendMessage(combo, CB_ADDSTRING, 0, 0, "COM" + std::to_string(i) + ":");
    PumpMessages();
    return combo;
  }

  void Press(std::uint32_t key, bool alt = false, bool shift = false) {
    test.platform->InjectInput(
        {.kind = InputKind::KeyDown, .virtualKey = key, .shift = shift, .alt = alt});
    test.platform->InjectInput(
        {.kind = InputKind::KeyUp, .virtualKey = key, .shift = shift, .alt = alt});
    PumpMessages();
  }

  void Type(char32_t character) {
    test.platform->InjectInput({.kind = InputKind::Char, .character = character});
    PumpMessages();
  }

  void Click(Point p) {
    test.platform->InjectInput({.kind = InputKind::ButtonDown, .position = p});
    test.platform->InjectInput({.kind = InputKind::ButtonUp, .position = p});
    PumpMessages();
  }

  // The screen point in the middle of a list box's line `row` counted from its top.
  Point LinePoint(Hwnd list, int row, int frame = 2) {
    const Rect r = GetWindowRect(list);
    return {r.left + 20, r.top + frame + row * LineHeight() + LineHeight() / 2};
  }

  LRESULT Send(Hwnd hwnd, std::uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessage(hwnd, message, wParam, lParam).value_or(-99);
  }

  int Count(int id, int code) const {
    int n = 0;
    for (const Notification& note : notifications)
      n += note == Notification{id, code} ? 1 : 0;
    return n;
  }

  bool Shows(std::string_view text, Hwnd hwnd) {
    return test.Screen().Trace().IsVisibleIn(text, GetWindowRect(hwnd));
  }
};

// --- List box ----------------------------------------------------------------------------

TEST_F(ListControlsTest, ListBoxKeepsItsLinesInOrder) {
  const Hwnd list = MakeListBox(LBS_NOTIFY, 4, 0);
  EXPECT_EQ(SendMessage(list, LB_ADDSTRING, 0, 0, std::string("alpha")), 0);
  EXPECT_EQ(SendMessage(list, LB_ADDSTRING, 0, 0, std::string("beta")), 1);
  EXPECT_EQ(SendMessage(list, LB_ADDSTRING, 0, 0, 42), -1) << "a payload that is no text";
  EXPECT_EQ(Send(list, LB_GETCOUNT), 2);
  EXPECT_EQ(Send(list, LB_SETCURSEL, 1), 1);
  EXPECT_EQ(Send(list, LB_RESETCONTENT), 0);
  EXPECT_EQ(Send(list, LB_GETCOUNT), 0);
  EXPECT_EQ(Send(list, LB_GETCURSEL), -1);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 0);
  EXPECT_EQ(Send(list, LB_SETCURSEL, 0), -1);
  EXPECT_TRUE(notifications.empty());
}

TEST_F(ListControlsTest, ListBoxKeysMoveTheSelectionAndNotifyOnlyOnChange) {
  const Hwnd list = MakeListBox(LBS_NOTIFY, 4, 10);
  SetFocus(list);
  struct Step {
    std::uint32_t key;
    int caret;
    int top;
    bool notifies;
  };
  const Step steps[] = {
      {VK_DOWN, 0, 0, true},   // no caret yet: the first line
      {VK_UP, 0, 0, false},    // already at the top
      {VK_NEXT, 3, 0, true},   // a page is the visible lines less one
      {VK_DOWN, 4, 1, true},   // scrolls to keep the caret in view
      {VK_END, 9, 6, true},    //
      {VK_DOWN, 9, 6, false},  //
      {VK_PRIOR, 6, 6, true},  //
      {VK_HOME, 0, 0, true},   //
      {VK_LEFT, 0, 0, false},  // not a list key
  };
  for (const Step& step : steps) {
    const std::size_t before = notifications.size();
    Press(step.key);
    EXPECT_EQ(Send(list, LB_GETCURSEL), step.caret) << "key " << step.key;
    EXPECT_EQ(Send(list, LB_GETTOPINDEX), step.top) << "key " << step.key;
    EXPECT_EQ(Send(list, LB_GETSEL, static_cast<WPARAM>(step.caret)), 1) << "key " << step.key;
    EXPECT_EQ(Send(list, LB_GETSELCOUNT), 1) << "key " << step.key;
    EXPECT_EQ(notifications.size() - before, step.notifies ? 1u : 0u) << "key " << step.key;
  }
  EXPECT_EQ(Count(LIST_ID, LBN_SELCHANGE), static_cast<int>(notifications.size()));
}

TEST_F(ListControlsTest, ListBoxWithoutNotifyStyleTellsNothing) {
  const Hwnd list = MakeListBox(0, 4, 5);
  SetFocus(list);
  Press(VK_DOWN);
  Click(LinePoint(list, 2));
  EXPECT_EQ(Send(list, LB_GETCURSEL), 2);
  EXPECT_TRUE(notifications.empty());
}

TEST_F(ListControlsTest, ListBoxLetterMovesToTheNextLineStartingWithIt) {
  const Hwnd list = MakeListBox(LBS_NOTIFY, 4, 0);
  for (const char* name : {"COM1:", "Bluetooth", "com2:", "USB", "Com3:"})
    SendMessage(list, LB_ADDSTRING, 0, 0, std::string(name));
  SetFocus(list);
  const std::pair<char32_t, int> steps[] = {
      {U'c', 0}, {U'C', 2}, {U'c', 4}, {U'c', 0},  // on round, either case
      {U'u', 3}, {U'x', 3},                        // no line starts with x
  };
  for (const auto& [character, caret] : steps) {
    Type(character);
    EXPECT_EQ(Send(list, LB_GETCURSEL), caret) << static_cast<char>(character);
  }
  EXPECT_EQ(Count(LIST_ID, LBN_SELCHANGE), 5);
}

TEST_F(ListControlsTest, ExtendedListBoxSelectsSeveralLines) {
  const Hwnd list = MakeListBox(LBS_EXTENDEDSEL | LBS_NOTIFY, 4, 8);
  EXPECT_EQ(Send(list, LB_SETSEL, 1, 2), 0);
  EXPECT_EQ(Send(list, LB_SETSEL, 1, 5), 0);
  EXPECT_EQ(Send(list, LB_SETSEL, 1, 8), -1) << "past the last line";
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 2);
  EXPECT_EQ(Send(list, LB_GETSEL, 2), 1);
  EXPECT_EQ(Send(list, LB_GETSEL, 3), 0);
  EXPECT_EQ(Send(list, LB_GETSEL, 99), -1);
  EXPECT_EQ(Send(list, LB_SETSEL, 1, -1), 0);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 8);
  EXPECT_EQ(Send(list, LB_SETSEL, 0, -1), 0);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 0);
  EXPECT_TRUE(notifications.empty()) << "set by the program, not the user";

  // Space toggles the caret line; a plain arrow keeps only the new line; Shift+arrow
  // extends from where the range began.
  SetFocus(list);
  Send(list, LB_SETCURSEL, 1);
  Press(VK_SPACE);
  EXPECT_EQ(Send(list, LB_GETSEL, 1), 0);
  Press(VK_SPACE);
  EXPECT_EQ(Send(list, LB_GETSEL, 1), 1);
  Press(VK_DOWN, false, true);
  Press(VK_DOWN, false, true);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 3);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 3);
  EXPECT_EQ(Send(list, LB_GETSEL, 0), 0);
  Press(VK_UP, false, true);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 2);
  Press(VK_DOWN);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 1);
  EXPECT_EQ(Send(list, LB_GETSEL, 3), 1);
  EXPECT_EQ(Count(LIST_ID, LBN_SELCHANGE), 6);
}

TEST_F(ListControlsTest, SingleSelectionListBoxRefusesSetSel) {
  const Hwnd list = MakeListBox(0, 4, 3);
  EXPECT_EQ(Send(list, LB_SETSEL, 1, 1), -1);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 0);
  Send(list, LB_SETCURSEL, 2);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 1);
  EXPECT_EQ(Send(list, LB_SETCURSEL, static_cast<WPARAM>(-1)), -1);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 0);
}

TEST_F(ListControlsTest, TopIndexStopsAtTheLastFullPage) {
  const Hwnd list = MakeListBox(WS_VSCROLL, 4, 10);
  const std::pair<int, int> cases[] = {{3, 3}, {6, 6}, {9, 6}, {0, 0}};
  for (const auto& [asked, shown] : cases) {
    EXPECT_EQ(Send(list, LB_SETTOPINDEX, static_cast<WPARAM>(asked)), 0) << asked;
    EXPECT_EQ(Send(list, LB_GETTOPINDEX), shown) << asked;
  }
  EXPECT_EQ(Send(list, LB_SETTOPINDEX, 10), -1);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 0);
  // Setting the caret below the view scrolls it into view.
  Send(list, LB_SETCURSEL, 8);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 5);
  PumpMessages();
  EXPECT_TRUE(Shows("Line 8", list));
  EXPECT_FALSE(Shows("Line 0", list));
  EXPECT_FALSE(Shows("Line 4", list));
}

TEST_F(ListControlsTest, ClickingALineSelectsItAndPaintsItHighlighted) {
  const Hwnd list = MakeListBox(LBS_NOTIFY | WS_VSCROLL, 4, 10);
  Send(list, LB_SETTOPINDEX, 2);
  PumpMessages();
  Click(LinePoint(list, 1));
  EXPECT_EQ(GetFocus(), list);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 3);
  EXPECT_EQ(Count(LIST_ID, LBN_SELCHANGE), 1);
  Click(LinePoint(list, 1));
  EXPECT_EQ(Count(LIST_ID, LBN_SELCHANGE), 1) << "the same line again changes nothing";
  const Point selected = LinePoint(list, 1);
  const Point other = LinePoint(list, 2);
  EXPECT_EQ(ScreenColor(test.Screen(), selected.x + 60, selected.y), NAVY);
  EXPECT_EQ(ScreenColor(test.Screen(), other.x + 60, other.y), WHITE);
  EXPECT_TRUE(Shows("Line 3", list));
  // Below the last line nothing happens.
  Send(list, LB_RESETCONTENT);
  SendMessage(list, LB_ADDSTRING, 0, 0, std::string("only"));
  Click(LinePoint(list, 3));
  EXPECT_EQ(Send(list, LB_GETCURSEL), -1);
}

TEST_F(ListControlsTest, ScrollBarArrowsAndTrackScrollTheList) {
  const Hwnd list = MakeListBox(WS_VSCROLL, 4, 20);
  const Rect r = GetWindowRect(list);
  const int barX = r.right - 2 - SCROLL_BAR_WIDTH / 2 - 1;
  const Point down{barX, r.bottom - 2 - 4};
  const Point up{barX, r.top + 2 + 4};
  const Point lowerTrack{barX, r.bottom - 2 - SCROLL_BAR_WIDTH - 2};
  Click(down);
  Click(down);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 2);
  Click(up);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 1);
  Click(lowerTrack);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 5) << "a page is the visible lines";
  Click(up);
  Click(up);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 3);
  EXPECT_EQ(Send(list, LB_GETCURSEL), -1) << "scrolling selects nothing";
}

TEST_F(ListControlsTest, DraggingTheThumbScrollsAndStopsOnRelease) {
  const Hwnd list = MakeListBox(WS_VSCROLL, 4, 20);
  const Rect client = GetClientRect(list);
  const VerticalScrollBar bar(
      {client.right - 2 - SCROLL_BAR_WIDTH, 2, client.right - 2, client.bottom - 2}, 20, 4, 0);
  const Rect thumb = bar.Thumb();
  ASSERT_FALSE(thumb.IsEmpty());
  const int x = thumb.left + 5;
  const int grabY = thumb.top + 2;
  SendMessage(list, WM_LBUTTONDOWN, 0, MakeLParam(x, grabY));
  const Rect track = bar.Track();
  const int bottomY = grabY + track.bottom - thumb.bottom;
  SendMessage(list, WM_MOUSEMOVE, 0, MakeLParam(x, bottomY));
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 16);
  // Half the free track is half the lines; the pointer may leave the bar while dragging.
  SendMessage(list, WM_MOUSEMOVE, 0,
              MakeLParam(-40, grabY + (track.Height() - thumb.Height()) / 2));
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 8);
  SendMessage(list, WM_MOUSEMOVE, 0, MakeLParam(x, -300));
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 0);
  SendMessage(list, WM_LBUTTONUP, 0, MakeLParam(x, -300));
  SendMessage(list, WM_MOUSEMOVE, 0, MakeLParam(x, bottomY));
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 0) << "no drag after the release";
}

TEST_F(ListControlsTest, ListControlsAskTheDialogManagerForArrowsAndCharacters) {
  const Hwnd list = MakeListBox(0, 4, 1);
  const Hwnd combo = MakeComboBox(150, 1);
  EXPECT_EQ(Send(list, WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
  EXPECT_EQ(Send(combo, WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

// --- Combobox ----------------------------------------------------------------------------

TEST_F(ListControlsTest, ClosedComboBoxArrowsChangeTheSelectionAndNotify) {
  const Hwnd combo = MakeComboBox(20, 3);
  // One field tall whatever height it was made with, and the text fits inside the frame.
  EXPECT_LT(GetWindowRect(combo).Height(), 30);
  EXPECT_GE(GetWindowRect(combo).Height(), SystemFont()->Metrics().height + 4);
  EXPECT_EQ(Send(combo, CB_SETCURSEL, 0), 0);
  EXPECT_TRUE(notifications.empty()) << "CB_SETCURSEL is the program's choice";
  SetFocus(combo);
  const std::pair<std::uint32_t, int> steps[] = {
      {VK_DOWN, 1}, {VK_DOWN, 2}, {VK_DOWN, 2}, {VK_UP, 1}, {VK_HOME, 0}, {VK_UP, 0}, {VK_END, 2},
  };
  for (const auto& [key, selection] : steps) {
    Press(key);
    EXPECT_EQ(Send(combo, CB_GETCURSEL), selection) << "key " << key;
  }
  EXPECT_EQ(Count(COMBO_ID, CBN_SELCHANGE), 5);
  EXPECT_EQ(notifications.size(), 5u);
  EXPECT_EQ(Send(combo, CB_GETDROPPEDSTATE), 0);
  EXPECT_TRUE(Shows("COM3:", combo));
}

TEST_F(ListControlsTest, ComboBoxSetCurSelRefusesIndexesOutOfRange) {
  const Hwnd combo = MakeComboBox(20, 3);
  Send(combo, CB_SETCURSEL, 1);
  EXPECT_EQ(Send(combo, CB_SETCURSEL, 3), -1);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 1);
  EXPECT_EQ(Send(combo, CB_SETCURSEL, static_cast<WPARAM>(-1)), -1);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), -1);
  EXPECT_EQ(SendMessage(combo, CB_ADDSTRING, 0, 0, 7.5), -1);
  EXPECT_EQ(Send(combo, CB_GETCOUNT), 3);
  Send(combo, CB_RESETCONTENT);
  EXPECT_EQ(Send(combo, CB_GETCOUNT), 0);
  SetFocus(combo);
  Press(VK_DOWN);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), -1);
  EXPECT_TRUE(notifications.empty());
}

TEST_F(ListControlsTest, ClosedComboBoxLetterSelectsTheNextEntryStartingWithIt) {
  const Hwnd combo = MakeComboBox(20, 0);
  for (const char* name : {"None", "COM1:", "Bluetooth", "COM2:"})
    SendMessage(combo, CB_ADDSTRING, 0, 0, std::string(name));
  SetFocus(combo);
  const std::pair<char32_t, int> steps[] = {{U'c', 1}, {U'c', 3}, {U'C', 1}, {U'b', 2}, {U'z', 2}};
  for (const auto& [character, selection] : steps) {
    Type(character);
    EXPECT_EQ(Send(combo, CB_GETCURSEL), selection) << static_cast<char>(character);
  }
  EXPECT_EQ(Count(COMBO_ID, CBN_SELCHANGE), 4);
}

TEST_F(ListControlsTest, DropDownDrivenByKeysAlone) {
  const Hwnd combo = MakeComboBox(20, 5);
  Send(combo, CB_SETCURSEL, 1);
  SetFocus(combo);
  Press(F4_KEY);
  ASSERT_EQ(Send(combo, CB_GETDROPPEDSTATE), 1);
  EXPECT_EQ(notifications, (std::vector<Notification>{{COMBO_ID, CBN_DROPDOWN}}));
  const Hwnd list = FindWindow("Listbox", "");
  ASSERT_TRUE(list);
  EXPECT_NE(GetFocus(), combo) << "the open list takes the keys";
  const Rect box = GetWindowRect(combo);
  const Rect dropped = GetWindowRect(list);
  EXPECT_EQ(dropped.top, box.bottom);
  EXPECT_EQ(dropped.Height(), 5 * LineHeight() + 2);
  EXPECT_TRUE(Shows("COM5:", list));

  // Up and Down move the highlight only; the box keeps its selection until Enter.
  Press(VK_DOWN);
  Press(VK_DOWN);
  Press(VK_UP);
  Type(U'c');
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 1);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 3);
  EXPECT_EQ(Send(combo, CB_GETDROPPEDSTATE), 1);
  Press(VK_RETURN);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 3);
  EXPECT_EQ(Send(combo, CB_GETDROPPEDSTATE), 0);
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(GetFocus(), combo);
  EXPECT_EQ(notifications,
            (std::vector<Notification>{
                {COMBO_ID, CBN_DROPDOWN}, {COMBO_ID, CBN_SELCHANGE}, {COMBO_ID, CBN_CLOSEUP}}));
  EXPECT_TRUE(Shows("COM4:", combo));
  EXPECT_FALSE(test.Screen().Trace().IsVisibleIn("COM5:", dropped)) << "the list is gone";
}

TEST_F(ListControlsTest, EscapeClosesTheDropDownWithoutChange) {
  const Hwnd combo = MakeComboBox(20, 5);
  Send(combo, CB_SETCURSEL, 2);
  SetFocus(combo);
  Press(VK_DOWN, true);  // Alt+Down opens as F4 does
  ASSERT_EQ(Send(combo, CB_GETDROPPEDSTATE), 1);
  Press(VK_DOWN);
  Press(VK_ESCAPE);
  EXPECT_EQ(Send(combo, CB_GETDROPPEDSTATE), 0);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 2);
  EXPECT_EQ(GetFocus(), combo);
  EXPECT_EQ(Count(COMBO_ID, CBN_SELCHANGE), 0);
  EXPECT_EQ(Count(COMBO_ID, CBN_CLOSEUP), 1);
  // Enter on the line already chosen closes without a change either.
  Press(F4_KEY);
  Press(VK_RETURN);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 2);
  EXPECT_EQ(Count(COMBO_ID, CBN_SELCHANGE), 0);
  EXPECT_EQ(Count(COMBO_ID, CBN_CLOSEUP), 2);
}

TEST_F(ListControlsTest, TwelvePortsScrollToShowTheSelection) {
  const Hwnd combo = MakeComboBox(20, 12);
  Send(combo, CB_SETCURSEL, 10);
  PumpMessages();
  EXPECT_TRUE(Shows("COM11:", combo));
  Send(combo, CB_SHOWDROPDOWN, 1);
  PumpMessages();
  const Hwnd list = FindWindow("Listbox", "");
  ASSERT_TRUE(list);
  EXPECT_EQ(GetWindowRect(list).Height(), 8 * LineHeight() + 2) << "at most eight lines";
  EXPECT_NE(GetWindowStyle(list) & WS_VSCROLL, 0u);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 3);
  EXPECT_TRUE(Shows("COM11:", list));
  EXPECT_TRUE(Shows("COM4:", list));
  EXPECT_FALSE(Shows("COM3:", list));
  EXPECT_FALSE(Shows("COM12:", list));
  // The highlight follows the keys down to the last port.
  Press(VK_DOWN);
  EXPECT_TRUE(Shows("COM12:", list));
  Press(VK_RETURN);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 11);
}

TEST_F(ListControlsTest, DropDownOpensAboveTheBoxNearTheBottomOfTheScreen) {
  const Hwnd combo = MakeComboBox(200, 12);
  Send(combo, CB_SHOWDROPDOWN, 1);
  const Hwnd list = FindWindow("Listbox", "");
  ASSERT_TRUE(list);
  const Rect box = GetWindowRect(combo);
  const Rect dropped = GetWindowRect(list);
  EXPECT_EQ(dropped.bottom, box.top);
  EXPECT_EQ(dropped.Height(), 8 * LineHeight() + 2);
  Send(combo, CB_SHOWDROPDOWN, 0);
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(Count(COMBO_ID, CBN_CLOSEUP), 1);
}

TEST_F(ListControlsTest, ClickingALineChoosesItAndAClickOutsideCloses) {
  const Hwnd combo = MakeComboBox(20, 5);
  Send(combo, CB_SETCURSEL, 0);
  const Rect box = GetWindowRect(combo);
  Click({box.left + 10, box.top + 5});
  ASSERT_EQ(Send(combo, CB_GETDROPPEDSTATE), 1);
  Hwnd list = FindWindow("Listbox", "");
  Click(LinePoint(list, 3, 1));
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 3);
  EXPECT_EQ(Send(combo, CB_GETDROPPEDSTATE), 0);
  EXPECT_EQ(GetFocus(), combo);
  EXPECT_EQ(Count(COMBO_ID, CBN_SELCHANGE), 1);

  // A click on the line already chosen closes as well.
  Click({box.left + 10, box.top + 5});
  list = FindWindow("Listbox", "");
  Click(LinePoint(list, 3, 1));
  EXPECT_EQ(Send(combo, CB_GETDROPPEDSTATE), 0);
  EXPECT_EQ(Count(COMBO_ID, CBN_SELCHANGE), 1);

  // Anywhere else, the box itself included, closes without a change.
  for (const Point outside : {Point{300, 230}, Point{box.left + 10, box.top + 5}}) {
    Click({box.left + 10, box.top + 5});
    ASSERT_EQ(Send(combo, CB_GETDROPPEDSTATE), 1);
    Click(outside);
    EXPECT_EQ(Send(combo, CB_GETDROPPEDSTATE), 0) << outside.x << "," << outside.y;
    EXPECT_EQ(Send(combo, CB_GETCURSEL), 3);
  }
  EXPECT_EQ(Count(COMBO_ID, CBN_SELCHANGE), 1);
  EXPECT_EQ(Count(COMBO_ID, CBN_CLOSEUP), 4);
  EXPECT_EQ(host.Count(WM_LBUTTONDOWN), 0) << "the closing click reaches nothing below";
}

TEST_F(ListControlsTest, FocusLeavingTheDropDownClosesIt) {
  const Hwnd combo = MakeComboBox(150, 5);
  const Hwnd other = MakeListBox(0, 4, 2);
  Send(combo, CB_SHOWDROPDOWN, 1);
  SetFocus(other);
  EXPECT_EQ(Send(combo, CB_GETDROPPEDSTATE), 0);
  EXPECT_EQ(GetFocus(), other) << "the close does not take the focus back";
}

TEST_F(ListControlsTest, DestroyingAnOpenComboBoxTakesItsListAlong) {
  const Hwnd combo = MakeComboBox(20, 5);
  Send(combo, CB_SHOWDROPDOWN, 1);
  const Hwnd list = FindWindow("Listbox", "");
  ASSERT_TRUE(list);
  DestroyWindow(combo);
  PumpMessages();
  EXPECT_FALSE(IsWindow(list));
  EXPECT_FALSE(FindWindow("ComboDropDown", ""));
}

TEST_F(ListControlsTest, FocusedComboBoxShowsItsSelectionHighlighted) {
  const Hwnd combo = MakeComboBox(20, 3);
  Send(combo, CB_SETCURSEL, 0);
  PumpMessages();
  const Rect box = GetWindowRect(combo);
  const Point inField{box.left + 50, box.top + box.Height() / 2};
  EXPECT_EQ(ScreenColor(test.Screen(), inField.x, inField.y), WHITE);
  SetFocus(combo);
  PumpMessages();
  EXPECT_EQ(ScreenColor(test.Screen(), inField.x, inField.y), NAVY);
  EXPECT_TRUE(Shows("COM1:", combo));
}

}  // namespace
