#include "WindowTestSupport.h"
#include "platform/ui/Menu.h"

namespace {

using namespace ui_test;
using Texts = std::vector<std::string>;

enum Command { NEW_LINE = 1, COMMENT, SCALE_MAP, SCALE_PROFILE, SPEED_BAR, GPS_WARNING, HIDE };

// The shape of the program's "&File" pop-up: separators, a sub-menu in the middle.
Menu FileMenu() {
  const MenuItem separator{.separator = true};
  return {{{"New &Line", NEW_LINE},
           {"&Comment", COMMENT},
           separator,
           {"&Scale Map", SCALE_MAP},
           {"Scale &Profile", SCALE_PROFILE},
           {.text = "Displa&y Options",
            .subItems = {{"M&ap", 10}, {"Speed &Bar", SPEED_BAR}, {"GPS &Warning", GPS_WARNING}}},
           separator,
           {"&Hide Menu", HIDE}}};
}

constexpr Point CORNER{180, 5};
const Color HIGHLIGHT = Rgb(0, 0, 128);

class MenuTest : public HostTest {
 protected:
  bool menuOpenAtCommand = false;

  void SetUp() override {
    HostTest::SetUp();
    host.hook = [this](const Message& m) -> LRESULT {
      if (m.message == WM_COMMAND)
        menuOpenAtCommand = static_cast<bool>(RootMenu());
      return 0;
    };
    SetFocus(window);
  }

  int Track(std::vector<Step> steps, Point corner = CORNER, const Menu& menu = FileMenu()) {
    return RunSteps(std::move(steps), [&] { return TrackPopupMenu(menu, corner, window); });
  }
  Step ClickItem(std::string_view text) {
    return [this, text] { Queue(Click(Centre(TextRect(test.Screen(), text)))); };
  }

  static Hwnd RootMenu() { return FindWindow("MenuWnd", ""); }
  static Hwnd DisplayOptionsMenu() { return FindWindow("MenuWnd", "Displa&y Options"); }

  // Visible texts on the highlight colour, sorted by name.
  Texts Highlighted() {
    Texts out;
    for (const TextTraceEntry& entry : test.Screen().Trace().Entries()) {
      const int y = (entry.rect.top + entry.rect.bottom) / 2;
      if (entry.rect.left >= 3 && At(entry.rect.left - 3, y) == HIGHLIGHT)
        out.push_back(entry.text);
    }
    std::sort(out.begin(), out.end());
    return out;
  }
};

TEST_F(MenuTest, TheMenuShowsItsItemsAndEscapeEndsItWithNothingPosted) {
  const auto look = [&] {
    EXPECT_EQ(GetFocus(), RootMenu());
    const Rect menu = GetWindowRect(RootMenu());
    for (const char* text : {"New Line", "Display Options", "Hide Menu"})
      EXPECT_TRUE(menu.Contains(TextRect(test.Screen(), text))) << text;
    EXPECT_EQ(Highlighted(), Texts{"New Line"}) << "opened from the keys";
  };
  EXPECT_EQ(Track({look, Queued(Key(VK_ESCAPE))}), 0);
  EXPECT_TRUE(host.commands.empty());
  EXPECT_FALSE(RootMenu());
  EXPECT_FALSE(Shows("Scale Map"));
  EXPECT_EQ(GetFocus(), window);
}

TEST_F(MenuTest, TheMenuHasItsTopRightCornerWhereAskedOrIsMovedOntoTheScreen) {
  // Where the menu's right edge and top end up; -1: at the screen's edge.
  const std::tuple<Point, int, int> cases[] = {{CORNER, 180, 5},
                                               {{400, 5}, 320, 5},
                                               {{20, 5}, -1, 5},
                                               {{180, 230}, 180, -1},
                                               {{-50, -20}, -1, 0}};
  for (const auto& [corner, right, top] : cases) {
    const auto check = [corner = corner, right = right, top = top] {
      const Rect r = GetWindowRect(RootMenu());
      EXPECT_EQ(right < 0 ? r.left : r.right, right < 0 ? 0 : right) << corner.x;
      EXPECT_EQ(top < 0 ? r.bottom : r.top, top < 0 ? 240 : top) << corner.y;
    };
    Track({check, Queued(Key(VK_ESCAPE))}, corner);
  }
}

TEST_F(MenuTest, DownAndUpSkipSeparatorsAndWrapAndEnterChooses) {
  const std::tuple<Input, const char*, int> cases[] = {
      {{}, "New Line", NEW_LINE},
      {Times(2, Key(VK_DOWN)), "Scale Map", SCALE_MAP},
      {Times(2, Key(VK_DOWN)) + Key(VK_UP), "Comment", COMMENT},
      {Key(VK_UP), "Hide Menu", HIDE},
      {Key(VK_UP) + Key(VK_DOWN), "New Line", NEW_LINE}};
  for (const auto& [keys, highlighted, command] : cases) {
    host.commands.clear();
    const auto check = [&, text = highlighted] { EXPECT_EQ(Highlighted(), Texts{text}); };
    EXPECT_EQ(Track({Queued(keys), check, Queued(Key(VK_RETURN))}), command) << highlighted;
    EXPECT_EQ(host.commands, (Commands{{command, 0}}));
    EXPECT_FALSE(menuOpenAtCommand);
  }
}

TEST_F(MenuTest, RightOpensASubMenuBesideItsItemLeftAndEscapeCloseIt) {
  const auto open = [&] {
    EXPECT_EQ(Highlighted(), (Texts{"Display Options", "Map"}));
    EXPECT_EQ(GetWindowRect(DisplayOptionsMenu()).left, GetWindowRect(RootMenu()).right);
  };
  const auto closed = [&] {
    EXPECT_FALSE(DisplayOptionsMenu());
    EXPECT_EQ(Highlighted(), Texts{"Display Options"});
  };
  EXPECT_EQ(Track({Queued(Times(4, Key(VK_DOWN)) + Key(VK_RIGHT)), open, Queued(Key(VK_LEFT)),
                   closed, Queued(Key(VK_UP) + Key(VK_RETURN))}),
            SCALE_PROFILE);

  // At the screen's right edge the sub-menu opens on the left; Escape closes one level.
  const auto onTheLeft = [&] {
    EXPECT_EQ(GetWindowRect(DisplayOptionsMenu()).right, GetWindowRect(RootMenu()).left);
  };
  const auto oneLevel = [&] { EXPECT_TRUE(RootMenu() && !DisplayOptionsMenu()); };
  EXPECT_EQ(Track({Queued(Type('y')), onTheLeft, Queued(Key(VK_ESCAPE)), oneLevel,
                   Queued(Key(VK_ESCAPE))},
                  {320, 5}),
            0);
  EXPECT_EQ(host.commands, (Commands{{SCALE_PROFILE, 0}}));
}

TEST_F(MenuTest, MnemonicsChooseItemsAndOpenSubMenus) {
  const std::pair<Input, int> cases[] = {{Type('c'), COMMENT},
                                         {Type('y') + Type('b'), SPEED_BAR},
                                         {Type('q') + Key(VK_RETURN), NEW_LINE}};  // no Q item
  for (const auto& [keys, command] : cases) {
    host.commands.clear();
    EXPECT_EQ(Track({Queued(keys)}), command);
    EXPECT_EQ(host.commands, (Commands{{command, 0}}));
  }
  // A letter several items share takes the highlight round them instead of choosing.
  const Menu shared{{{"&Save", 1}, {"&Quit", 2}, {"&Send", 3}}};
  const auto send = [&] { EXPECT_EQ(Highlighted(), Texts{"Send"}); };
  EXPECT_EQ(Track({Queued(Type('s')), send, Queued(Type('s') + Key(VK_RETURN))}, CORNER, shared),
            1);
}

TEST_F(MenuTest, ThePointerChoosesOpensAndDismisses) {
  EXPECT_EQ(Track({ClickItem("Hide Menu")}), HIDE);
  EXPECT_EQ(Track({ClickItem("Display Options"), ClickItem("GPS Warning")}), GPS_WARNING);
  EXPECT_EQ(host.commands, (Commands{{HIDE, 0}, {GPS_WARNING, 0}}));

  host.commands.clear();
  const auto missItems = [&] {
    const Rect comment = TextRect(test.Screen(), "Comment");
    const Rect scaleMap = TextRect(test.Screen(), "Scale Map");
    Queue(Click({comment.left, comment.bottom + 4}));  // the separator
    // A press released over another item chooses neither.
    Queue({PointerEvent(InputKind::ButtonDown, {comment.left, comment.top}),
           PointerEvent(InputKind::ButtonUp, {scaleMap.left, scaleMap.top})});
  };
  const auto open = [&] { EXPECT_TRUE(RootMenu()); };
  EXPECT_EQ(Track({missItems, open, Queued(Click({250, 200}))}), 0);
  EXPECT_TRUE(host.commands.empty());
  EXPECT_EQ(host.Count(WM_LBUTTONDOWN), 0);
}

TEST_F(MenuTest, AnEmptyMenuOrAVanishingOwnerEndsWithoutAChoice) {
  EXPECT_EQ(TrackPopupMenu(Menu{}, CORNER, window), 0);
  EXPECT_EQ(Track({[&] { DestroyWindow(window); }}), 0);
  EXPECT_FALSE(RootMenu());
}

}  // namespace
