#include <gtest/gtest.h>

#include <algorithm>

#include "WindowTestSupport.h"
#include "platform/ui/Menu.h"

namespace {

using namespace platform;
using namespace ui_test;

enum FileCommand {
  NEW_LINE = 301,
  NEW_STATION,
  COMMENT,
  SCALE_MAP,
  SCALE_PROFILE,
  MAP_OPTIONS,
  PROFILE_OPTIONS,
  SPEED_BAR,
  GPS_WARNING,
  TOGGLE_VIEW,
  EXTERNAL_FILE,
  ASCII_FILE,
  HIDE_MENU
};

// The items of the program's "&File" pop-up (menu 40).
Menu FileMenu() {
  const MenuItem separator{.separator = true};
  return {{{"New &Line", NEW_LINE},
           {"&New Station", NEW_STATION},
           {"&Comment", COMMENT},
           separator,
           {"&Scale Map", SCALE_MAP},
           {"Scale &Profile", SCALE_PROFILE},
           {.text = "Displa&y Options",
            .subItems = {{"M&ap", MAP_OPTIONS},
                         {"P&rofile", PROFILE_OPTIONS},
                         {"Speed &Bar", SPEED_BAR},
                         {"GPS &Warning", GPS_WARNING}}},
           {"&Toggle View", TOGGLE_VIEW},
           separator,
           {"&External File", EXTERNAL_FILE},
           {"ASC&II File", ASCII_FILE},
           {"&Hide Menu", HIDE_MENU}}};
}

constexpr Point FILE_MENU_CORNER{180, 5};
constexpr std::uint32_t PROBE_TIMER = 99;
constexpr std::uint32_t OWNER_TIMER = 7;
const Color HIGHLIGHT = Rgb(0, 0, 128);

class MenuTest : public ::testing::Test {
 protected:
  testing_support::TestPlatform test;
  RecordingClass ownerClass;
  Hwnd owner;
  std::vector<int> commands;
  bool menuOpenAtCommand = false;
  int ownerTimerTicks = 0;
  std::vector<std::function<void()>> actions;
  std::size_t nextAction = 0;

  void SetUp() override {
    ownerClass.Register("MenuOwner", Rgb(192, 192, 192));
    ownerClass.hook = [this](const Message& m) -> LRESULT {
      if (m.message == WM_COMMAND) {
        commands.push_back(LowWord(m.wParam));
        menuOpenAtCommand = static_cast<bool>(RootMenu());
      } else if (m.message == WM_TIMER && m.wParam == OWNER_TIMER) {
        ++ownerTimerTicks;
      } else if (m.message == WM_TIMER && m.wParam == PROBE_TIMER) {
        KillTimer(owner, PROBE_TIMER);
        if (nextAction < actions.size()) {
          actions[nextAction++]();
          ArmProbe();  // once more after the last step: the menu must be gone by then
        } else if (const Hwnd menu = RootMenu()) {
          ADD_FAILURE() << "the menu is still open after the last step";
          DestroyWindow(menu);
        }
      }
      return 0;
    };
    owner = MakeTopLevel("MenuOwner", {0, 0, 320, 240});
    SetFocus(owner);
    PumpMessages();
  }

  // A timer is served only once the input, posts and paints before it are, so each action
  // runs after everything the previous one injected has been handled.
  void ArmProbe() {
    SetTimer(owner, PROBE_TIMER, 1);
    test.services.Advance(1);
  }

  using Steps = std::vector<std::function<void()>>;
  int Track(Steps steps, Point corner = FILE_MENU_CORNER, const Menu& menu = FileMenu()) {
    actions = std::move(steps);
    nextAction = 0;
    ArmProbe();
    const int result = TrackPopupMenu(menu, corner, owner);
    EXPECT_EQ(nextAction, actions.size()) << "the menu ended before every step ran";
    PumpMessages();
    return result;
  }

  void Press(std::uint32_t key) {
    test.platform->InjectInput({.kind = InputKind::KeyDown, .virtualKey = key});
    if (key >= 'A' && key <= 'Z')
      test.platform->InjectInput({.kind = InputKind::Char, .character = key - 'A' + U'a'});
    test.platform->InjectInput({.kind = InputKind::KeyUp, .virtualKey = key});
  }
  std::function<void()> Keys(std::vector<std::uint32_t> keys) {
    return [this, keys] {
      for (std::uint32_t key : keys)
        Press(key);
    };
  }
  void Pointer(InputKind kind, Point p) {
    test.platform->InjectInput({.kind = kind, .position = p});
  }
  void Click(Point p) {
    Pointer(InputKind::ButtonDown, p);
    Pointer(InputKind::ButtonUp, p);
  }
  void ClickItem(std::string_view text) {
    const Rect r = TextRect(text);
    Click({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }

  static Hwnd RootMenu() { return FindWindow("MenuWnd", ""); }
  static Hwnd DisplayOptionsMenu() { return FindWindow("MenuWnd", "Displa&y Options"); }

  Rect TextRect(std::string_view text) {
    for (const TextTraceEntry& entry : test.Screen().Trace().Entries()) {
      if (entry.text == text)
        return entry.rect;
    }
    ADD_FAILURE() << "not on screen: " << text;
    return {};
  }
  // Visible texts on the highlight colour, sorted by name.
  std::vector<std::string> Highlighted() {
    std::vector<std::string> out;
    for (const TextTraceEntry& entry : test.Screen().Trace().Entries()) {
      const int y = (entry.rect.top + entry.rect.bottom) / 2;
      if (entry.rect.left >= 3 && ScreenColor(test.Screen(), entry.rect.left - 3, y) == HIGHLIGHT)
        out.push_back(entry.text);
    }
    std::sort(out.begin(), out.end());
    return out;
  }
};

TEST_F(MenuTest, TheFileMenuSitsWhereAskedAndEscapeEndsItWithNothingPosted) {
  const int result = Track({[&] {
    EXPECT_EQ(GetFocus(), RootMenu());
    const Rect menu = GetWindowRect(RootMenu());
    EXPECT_EQ(menu.right, FILE_MENU_CORNER.x);
    EXPECT_EQ(menu.top, FILE_MENU_CORNER.y);
    for (const char* text : {"New Line", "Display Options", "Hide Menu"})
      EXPECT_TRUE(menu.Contains(TextRect(text))) << text;
    EXPECT_EQ(Highlighted(), std::vector<std::string>{"New Line"}) << "opened from the keys";
    Press(VK_ESCAPE);
  }});
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(commands.empty());
  EXPECT_FALSE(RootMenu());
  EXPECT_FALSE(test.Screen().Trace().IsVisible("Toggle View"));
  EXPECT_EQ(GetFocus(), owner);
}

TEST_F(MenuTest, AMenuThatWouldLeaveTheScreenIsMovedOntoIt) {
  struct Case {
    Point corner;
    int right, top;  // where the menu's right edge and top end up; -1: at the screen's edge
  };
  for (const Case& c : {Case{{400, 5}, 320, 5}, Case{{20, 5}, -1, 5}, Case{{180, 230}, 180, -1},
                        Case{{-50, -20}, -1, 0}}) {
    const auto check = [&] {
      const Rect r = GetWindowRect(RootMenu());
      EXPECT_EQ(c.right < 0 ? r.left : r.right, c.right < 0 ? 0 : c.right) << c.corner.x;
      EXPECT_EQ(c.top < 0 ? r.bottom : r.top, c.top < 0 ? 240 : c.top) << c.corner.y;
    };
    Track({check, Keys({VK_ESCAPE})}, c.corner);
  }
}

TEST_F(MenuTest, DownAndUpSkipSeparatorsAndWrapAndEnterChooses) {
  struct Case {
    std::vector<std::uint32_t> keys;
    const char* highlighted;
    int command;
  };
  for (const Case& c :
       {Case{{}, "New Line", NEW_LINE}, Case{{VK_DOWN, VK_DOWN, VK_DOWN}, "Scale Map", SCALE_MAP},
        Case{{VK_DOWN, VK_DOWN, VK_DOWN, VK_UP}, "Comment", COMMENT},
        Case{{VK_UP}, "Hide Menu", HIDE_MENU}, Case{{VK_UP, VK_DOWN}, "New Line", NEW_LINE}}) {
    commands.clear();
    const auto check = [&] { EXPECT_EQ(Highlighted(), std::vector<std::string>{c.highlighted}); };
    EXPECT_EQ(Track({Keys(c.keys), check, Keys({VK_RETURN})}), c.command) << c.highlighted;
    EXPECT_EQ(commands, std::vector<int>{c.command});
    EXPECT_FALSE(menuOpenAtCommand);
  }
}

TEST_F(MenuTest, RightOpensASubMenuBesideItsItemLeftAndEscapeCloseIt) {
  const Steps rightThenLeft{
      Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}),
      [&] {
        EXPECT_EQ(Highlighted(), (std::vector<std::string>{"Display Options", "Map"}));
        EXPECT_EQ(GetWindowRect(DisplayOptionsMenu()).left, GetWindowRect(RootMenu()).right);
      },
      Keys({VK_LEFT}),
      [&] {
        EXPECT_FALSE(DisplayOptionsMenu());
        EXPECT_EQ(Highlighted(), std::vector<std::string>{"Display Options"});
      },
      Keys({VK_UP, VK_RETURN})};
  EXPECT_EQ(Track(rightThenLeft), SCALE_PROFILE);

  // At the screen's right edge the sub-menu opens on the left; Escape closes one level.
  const Steps leftSide{
      Keys({'Y'}),
      [&] { EXPECT_EQ(GetWindowRect(DisplayOptionsMenu()).right, GetWindowRect(RootMenu()).left); },
      Keys({VK_ESCAPE}), [&] { EXPECT_TRUE(RootMenu() && !DisplayOptionsMenu()); },
      Keys({VK_ESCAPE})};
  EXPECT_EQ(Track(leftSide, {320, 5}), 0);
  EXPECT_EQ(commands, std::vector<int>{SCALE_PROFILE});
}

TEST_F(MenuTest, MnemonicsChooseItemsAndOpenSubMenus) {
  for (const auto& [keys, command] : {std::pair{std::vector<std::uint32_t>{'C'}, COMMENT},
                                      {{'Y', 'B'}, SPEED_BAR},
                                      {{'Q', VK_RETURN}, NEW_LINE}}) {  // no item has a Q
    commands.clear();
    Steps steps;
    for (std::uint32_t key : keys)
      steps.push_back(Keys({key}));
    EXPECT_EQ(Track(steps), command);
    EXPECT_EQ(commands, std::vector<int>{command});
  }
  // A letter several items share takes the highlight round them instead of choosing.
  const Menu shared{{{"&Save", 1}, {"&Quit", 2}, {"&Send", 3}}};
  const auto send = [&] { EXPECT_EQ(Highlighted(), std::vector<std::string>{"Send"}); };
  EXPECT_EQ(Track({Keys({'S'}), send, Keys({'S', VK_RETURN})}, FILE_MENU_CORNER, shared), 1);
}

TEST_F(MenuTest, ThePointerChoosesOpensAndDismisses) {
  EXPECT_EQ(Track({[&] { ClickItem("Toggle View"); }}), TOGGLE_VIEW);
  EXPECT_EQ(Track({[&] { ClickItem("Display Options"); }, [&] { ClickItem("GPS Warning"); }}),
            GPS_WARNING);
  EXPECT_EQ(commands, (std::vector<int>{TOGGLE_VIEW, GPS_WARNING}));

  commands.clear();
  const auto missItems = [&] {
    const Rect comment = TextRect("Comment");
    Click({comment.left, comment.bottom + 4});  // the separator
    // A press released over another item chooses neither.
    Pointer(InputKind::ButtonDown, {comment.left, comment.top});
    Pointer(InputKind::ButtonUp, {TextRect("Toggle View").left, TextRect("Toggle View").top});
  };
  EXPECT_EQ(Track({missItems, [&] { EXPECT_TRUE(RootMenu()); }, [&] { Click({250, 200}); }}), 0);
  EXPECT_TRUE(commands.empty());
  EXPECT_EQ(ownerClass.Count(WM_LBUTTONDOWN), 0);
}

TEST_F(MenuTest, TimersAndPostedMessagesAreServedWhileTheMenuIsOpen) {
  SetTimer(owner, OWNER_TIMER, 100);
  const auto postAndWait = [&] {
    PostMessage(owner, WM_USER + 5);
    test.services.Advance(100);
  };
  const auto served = [&] {
    EXPECT_EQ(ownerTimerTicks, 1);
    EXPECT_EQ(ownerClass.Count(WM_USER + 5), 1);
  };
  EXPECT_EQ(Track({postAndWait, served, Keys({VK_ESCAPE})}), 0);
}

TEST_F(MenuTest, DegenerateMenusAndAVanishingOwnerEndWithoutAChoice) {
  EXPECT_EQ(TrackPopupMenu(Menu{}, FILE_MENU_CORNER, owner), 0);
  const Menu separators{{{.separator = true}, {.separator = true}}};
  EXPECT_EQ(
      Track({Keys({VK_DOWN, VK_RETURN, 'A'}), Keys({VK_ESCAPE})}, FILE_MENU_CORNER, separators), 0);
  EXPECT_EQ(Track({[&] { DestroyWindow(owner); }}), 0);
  EXPECT_FALSE(RootMenu());
}

TEST(MenuRegistryTest, MenusAreFoundByNumberAndReplacedByALaterRegistration) {
  RegisterMenu(40, FileMenu());
  ASSERT_NE(FindMenu(40), nullptr);
  EXPECT_EQ(FindMenu(40)->items[6].subItems.size(), 4u);
  EXPECT_EQ(FindMenu(41), nullptr);
  RegisterMenu(40, Menu{{{"&Only", 1}}});
  EXPECT_EQ(FindMenu(40)->items.size(), 1u);
}

}  // namespace
