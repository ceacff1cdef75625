#include "display/ProfileOptionsWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "config/ConfigState.h"
#include "config/SettingsFile.h"
#include "display/DisplayState.h"
#include "display/ProfileOptionsInternals.h"
#include "platform/gfx/Font.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/Controls.h"
#include "platform/ui/WindowTestSupport.h"
#include "support/TempDeviceRoot.h"

namespace gradlog {
namespace {

using namespace ui_test;

constexpr int G1 = PROFILE_OPTIONS_FIRST_CHANNEL_ID;
constexpr int G2 = G1 + 1;
constexpr int THICKNESS_1 = PROFILE_OPTIONS_FIRST_THICKNESS_ID;
constexpr int SHOWN = PROFILE_OPTIONS_SHOWN_ID;
constexpr int COLOR = PROFILE_OPTIONS_COLOR_ID;
constexpr int OK = PROFILE_OPTIONS_OK_ID;
constexpr int CANCEL = PROFILE_OPTIONS_CANCEL_ID;
constexpr int HELP = PROFILE_OPTIONS_HELP_ID;
constexpr LRESULT PUSHED = 0x0004;  // BM_GETSTATE: the highlight

// Tab, Enter and Escape as the backends send them: the key with its control character.
Input Press(std::uint32_t key) {
  return {KeyEvent(InputKind::KeyDown, key), CharEvent(static_cast<char32_t>(key)),
          KeyEvent(InputKind::KeyUp, key)};
}

// Typing the values into the chooser's red, green and blue fields and accepting them.
const Color TYPED_COLOR = Rgb(12, 34, 56);
Input TypeColorAndAccept() {
  return Times(2, Press(VK_TAB)) + Chars("12") + Press(VK_TAB) + Chars("34") + Press(VK_TAB) +
         Chars("56") + Press(VK_RETURN);
}

class ProfileOptionsWindowTest : public UiTest {
 protected:
  testing::TempDeviceRoot root;
  ConfigState config;
  DisplayState display;
  ProfileOptionsState& state = display.profileOptions;
  int closedCount = 0;
  bool windowGoneWhenClosed = false;

  void SetUp() override {
    display.fonts = CreateFonts();
    display.drawing = CreateDrawingResources();
    display.channels = CreateChannelResources(config.settings);
    ASSERT_TRUE(RegisterProfileOptionsClass(config, display));
    RegisterClass({.name = "ModalStepper", .procedure = [this](const Message& m) {
                     return m.message == WM_TIMER ? (Step(), 0) : DefWindowProc(m);
                   }});
    stepper_ = CreateWindow({.className = "ModalStepper", .rect = {0, 0, 1, 1}});
    ASSERT_TRUE(SaveSettings(config));
  }

  Hwnd Open() {
    EXPECT_TRUE(OpenProfileOptionsWindow(config, display, [this] {
      ++closedCount;
      windowGoneWhenClosed = !IsWindow(FindWindow(PROFILE_OPTIONS_CLASS, ""));
    }));
    PumpMessages();
    return state.window;
  }
  void Keys(const Input& input) {
    Queue(input);
    PumpMessages();
  }
  // Types what opens a modal box over the window, then `input` into the box; each step runs
  // once the box has served everything queued before it. A box still open after the last
  // step fails the test.
  void TypeIntoModal(const Input& opener, const Input& input,
                     std::vector<ui_test::Step> steps = {}) {
    steps_ = std::move(steps);
    next_ = 0;
    Queue(opener + input);
    Arm();
    PumpMessages();
    EXPECT_EQ(next_, steps_.size()) << "the box closed before its last step";
    KillTimer(stepper_, 1);
  }

  Input ClickOn(int id) { return Click(Centre(GetWindowRect(GetDlgItem(state.window, id)))); }
  LRESULT Ask(int id, std::uint32_t message) {
    return SendMessage(GetDlgItem(state.window, id), message).value_or(-1);
  }
  bool Checked(int id) { return Ask(id, BM_GETCHECK) == BST_CHECKED; }
  bool LooksDefault(int id) {
    return (GetWindowStyle(GetDlgItem(state.window, id)) & 0x000F) == BS_DEFPUSHBUTTON;
  }
  std::vector<int> CheckedThicknesses() {
    std::vector<int> checked;
    for (int k = 0; k < PROFILE_OPTIONS_THICKNESSES; ++k) {
      if (Checked(THICKNESS_1 + k))
        checked.push_back(k + 1);
    }
    return checked;
  }
  bool ShowsY(int channel) { return test.Screen().Trace().IsVisibleIn("Y", ShownMarkBox(channel)); }
  // The rows of the sample line's middle column that carry `color`.
  int SampleLineRows(int channel, Color color) {
    const Rect box = SampleBox(channel);
    int rows = 0;
    for (int y = box.top + 1; y < box.bottom - 1; ++y)
      rows += At((box.left + box.right) / 2, y) == color ? 1 : 0;
    return rows;
  }
  std::string SettingsFileText() { return testing::TempDeviceRoot::ReadFile(root.SettingsPath()); }

 private:
  void Arm() {
    SetTimer(stepper_, 1, 1);
    test.services.Advance(1);
  }
  // A box open over the window keeps it disabled.
  void Step() {
    const bool boxOpen = IsWindow(state.window) && !IsWindowEnabled(state.window);
    if (boxOpen && next_ < steps_.size()) {
      steps_[next_++]();
      return Arm();
    }
    KillTimer(stepper_, 1);
    if (boxOpen) {
      ADD_FAILURE() << "a box is still open after the last step";
      PostQuitMessage(0);
    }
  }

  Hwnd stepper_;
  std::vector<ui_test::Step> steps_;
  std::size_t next_ = 0;
};

TEST_F(ProfileOptionsWindowTest, OpensOverTheScreenWithItsControlsAndPicture) {
  config.settings.channelThickness[0] = 3;
  config.settings.channelColor[0] = static_cast<std::int32_t>(Rgb(200, 0, 0));
  config.settings.channelShown[1] = 0;
  const Hwnd window = Open();
  EXPECT_EQ(FindWindow("DisplayOptionsWnd", "Display Options"), window);
  EXPECT_EQ(GetWindowRect(window), (Rect{0, 0, 320, 240}));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_FALSE(GetParent(window));
  EXPECT_EQ(GetFocus(), window);
  EXPECT_TRUE(Checked(G1));
  EXPECT_FALSE(Checked(G2));
  EXPECT_EQ(CheckedThicknesses(), std::vector<int>{3});
  EXPECT_TRUE(Checked(SHOWN));
  EXPECT_EQ(state.profileOptionsSubFocus, 2);

  // Every text whole, the header clear of the right frame, the name centred over it.
  const std::pair<const char*, FontHandle> texts[] = {
      {"Profile Display Options", display.fonts.bold},
      {"Sensor      Show      Color/Thick.", display.fonts.normal},
      {"Sensor #1", display.fonts.bold},
  };
  for (const auto& [text, font] : texts)
    EXPECT_EQ(TextRect(test.Screen(), text).Width(), font->MeasureText(text).width) << text;
  EXPECT_LT(TextRect(test.Screen(), "Sensor      Show      Color/Thick.").right, RIGHT_FRAME_X);
  const Rect name = TextRect(test.Screen(), "Sensor #1");
  EXPECT_LE(std::abs((name.left + name.right) / 2 - (RIGHT_FRAME_X + RIGHT_FRAME_WIDTH / 2)), 1);
  EXPECT_TRUE(ShowsY(0));
  EXPECT_FALSE(ShowsY(1));
  EXPECT_EQ(SampleLineRows(0, Rgb(200, 0, 0)), 3);
  EXPECT_EQ(SampleLineRows(1, static_cast<Color>(config.settings.channelColor[1])),
            config.settings.channelThickness[1]);
}

// From "&2": on through the thicknesses to "Show Profile" and "Select Color", round to "&1".
TEST_F(ProfileOptionsWindowTest, UpAndDownMoveTheMarkRoundTheFrameAndSetTheThicknessReached) {
  struct Case {
    std::uint32_t key;
    int subFocus, thickness;
    std::vector<int> checked;
    bool shownHighlighted, colorDefault;
  };
  const Case cases[] = {{VK_DOWN, 2, 3, {3}, false, false}, {VK_RIGHT, 3, 4, {4}, false, false},
                        {VK_DOWN, 4, 5, {5}, false, false}, {VK_DOWN, 5, 5, {}, true, false},
                        {VK_DOWN, 6, 5, {}, false, true},   {VK_DOWN, 0, 1, {1}, false, false},
                        {VK_UP, 6, 1, {}, false, true},     {VK_LEFT, 5, 1, {}, true, false},
                        {VK_UP, 4, 5, {5}, false, false}};
  Open();
  for (const Case& c : cases) {
    Keys(Key(c.key));
    SCOPED_TRACE(::testing::Message() << "to " << c.subFocus);
    EXPECT_EQ(state.profileOptionsSubFocus, c.subFocus);
    EXPECT_EQ(state.channelThicknessEdit[0], c.thickness);
    EXPECT_EQ(CheckedThicknesses(), c.checked);
    EXPECT_EQ((Ask(SHOWN, BM_GETSTATE) & PUSHED) != 0, c.shownHighlighted);
    EXPECT_TRUE(Checked(SHOWN));
    EXPECT_EQ(LooksDefault(COLOR), c.colorDefault);
    EXPECT_EQ(SampleLineRows(0, static_cast<Color>(config.settings.channelColor[0])), c.thickness);
  }
  EXPECT_EQ(config.settings.channelThickness[0], 2);
}

// Tab: " G1", " G2", OK, Cancel, Help and back to " G1"; a channel reached is selected with
// its own thickness and shown flag.
TEST_F(ProfileOptionsWindowTest, TabWalksChannelsAndButtonsSelectingEachChannelReached) {
  config.settings.channelThickness[1] = 5;
  config.settings.channelShown[1] = 0;
  struct Case {
    int focus, channel, defaultButton;
    const char* name;
  };
  const Case cases[] = {{2, 1, 0, "Sensor #2"},      {7, 1, OK, "Sensor #2"},
                        {8, 1, CANCEL, "Sensor #2"}, {9, 1, HELP, "Sensor #2"},
                        {1, 0, 0, "Sensor #1"},      {2, 1, 0, "Sensor #2"}};
  Open();
  for (const Case& c : cases) {
    Keys(Press(VK_TAB));
    SCOPED_TRACE(::testing::Message() << "to " << c.focus);
    EXPECT_EQ(state.profileOptionsFocus, c.focus);
    EXPECT_EQ(state.profileOptionsChannel, c.channel);
    EXPECT_EQ(Checked(G1), c.channel == 0);
    EXPECT_EQ(Checked(G2), c.channel == 1);
    EXPECT_EQ(CheckedThicknesses(), std::vector<int>{c.channel == 0 ? 2 : 5});
    EXPECT_EQ(Checked(SHOWN), c.channel == 0);
    for (int id : {OK, CANCEL, HELP})
      EXPECT_EQ(LooksDefault(id), id == c.defaultButton) << id;
    EXPECT_TRUE(Shows(c.name));
    EXPECT_EQ(GetFocus(), state.window);
  }
}

// The radio buttons form two groups: a thickness clicked leaves the channel buttons alone.
TEST_F(ProfileOptionsWindowTest, ClickedChannelAndThicknessButtonsSelectAndKeepTheKeys) {
  Open();
  Keys(ClickOn(G2));
  Keys(ClickOn(THICKNESS_1 + 3));
  EXPECT_EQ(state.profileOptionsChannel, 1);
  EXPECT_TRUE(Checked(G2));
  EXPECT_FALSE(Checked(G1));
  EXPECT_EQ(CheckedThicknesses(), std::vector<int>{4});
  EXPECT_EQ(state.channelThicknessEdit[1], 4);
  EXPECT_EQ(state.channelThicknessEdit[0], config.settings.channelThickness[0]);
  EXPECT_EQ(GetFocus(), state.window);
  Keys(Key(VK_UP));
  EXPECT_EQ(state.channelThicknessEdit[1], 3);
}

// Each way of toggling "Show Profile" flips the selected channel's flag, box and "Y" only.
TEST_F(ProfileOptionsWindowTest, ShowProfileTogglesTheSelectedChannelAndItsMark) {
  // What leads there once, then what toggles.
  const std::tuple<const char*, Input, Input> ways[] = {
      {"p", {}, Type('p')},
      {"P", {}, Type('P')},
      {"Enter on it", Times(4, Key(VK_DOWN)), Press(VK_RETURN)},
      {"click", {}, Click(Centre(Rect::FromSize(206, 166, 90, 14)))},
  };
  for (const auto& [what, lead, toggle] : ways) {
    SCOPED_TRACE(what);
    Open();
    Keys(lead);
    for (int expected : {0, 1}) {
      Keys(toggle);
      EXPECT_EQ(state.channelShownEdit[0], expected);
      EXPECT_EQ(Checked(SHOWN), expected == 1);
      EXPECT_EQ(ShowsY(0), expected == 1);
      EXPECT_TRUE(ShowsY(1));
      EXPECT_EQ(state.channelShownEdit[1], 1);
      EXPECT_EQ(GetFocus(), state.window);
    }
    Keys(Type('c'));
  }
}

// Escape, Enter on a thickness and characters whose key went down elsewhere (the key that
// opened the window) leave the window as it is.
TEST_F(ProfileOptionsWindowTest, EscapeEnterOnAThicknessAndStrayCharactersDoNothing) {
  const Hwnd window = Open();
  Keys(Chars("pc") + Press(VK_ESCAPE) + Press(VK_RETURN) + Press(VK_ESCAPE));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(closedCount, 0);
  EXPECT_EQ(state.channelShownEdit[0], 1);
  EXPECT_EQ(state.channelColorEdit[0], config.settings.channelColor[0]);
}

TEST_F(ProfileOptionsWindowTest, ColourChooserStartsEmptyAndOnlyAnAcceptedColourIsTaken) {
  const Color original = static_cast<Color>(config.settings.channelColor[1]);
  const std::tuple<const char*, Input, Color> cases[] = {
      {"cancelled", Key(VK_DOWN) + Press(VK_ESCAPE), original},
      {"accepted", TypeColorAndAccept(), TYPED_COLOR},
      {"cancelled after a choice", Key(VK_DOWN) + Press(VK_ESCAPE), TYPED_COLOR}};
  Open();
  Keys(Press(VK_TAB));  // the second channel
  for (const auto& [what, input, expected] : cases) {
    SCOPED_TRACE(what);
    state.profileCustomColors.fill(Rgb(1, 2, 3));
    TypeIntoModal(Type('s'), input);
    EXPECT_EQ(state.channelColorEdit[1], static_cast<std::int32_t>(expected));
    EXPECT_EQ(state.profileCustomColors, (std::array<Color, 16>{}));
    EXPECT_EQ(SampleLineRows(1, expected), config.settings.channelThickness[1]);
    EXPECT_EQ(GetFocus(), state.window);
  }
  EXPECT_EQ(state.channelColorEdit[0], config.settings.channelColor[0]);
}

// The Enter that closes the box must not reach the window and open the box again.
TEST_F(ProfileOptionsWindowTest, HelpShowsItsTenLinesOnceAndLeavesTheWindowOpen) {
  const auto look = [this] {
    EXPECT_TRUE(IsWindow(FindWindow("MessageBoxWnd", "Display Options Help")));
    for (const char* line :
         {"To select Amplitude in combo box", "press A or use Tab and Enter.",
          "To change EM61-MK2 channel selection", "use Tab", "To execute OK, Cancel, Help buttons",
          "press indicated key or use", "Tab to select and Enter to execute",
          "To change settings for selected channel", "(in frame) press indicated key",
          "or use Up or Down keys and Enter"})
      EXPECT_TRUE(Shows(line)) << line;
    Queue(Press(VK_RETURN));
  };
  const std::pair<const char*, Input> openers[] = {
      {"h", Type('h')}, {"Enter on Help", Times(4, Press(VK_TAB)) + Press(VK_RETURN)}};
  Open();
  for (const auto& [what, opener] : openers) {
    SCOPED_TRACE(what);
    TypeIntoModal(opener, {}, {look});
    EXPECT_TRUE(IsWindow(state.window));
    EXPECT_TRUE(IsWindowEnabled(state.window));
    EXPECT_EQ(GetFocus(), state.window);
  }
  EXPECT_EQ(closedCount, 0);
}

// Changed colour, thickness and shown flag, then each way out of the window.
TEST_F(ProfileOptionsWindowTest, OkStoresSavesAndRebuildsThePensWhileCancelKeepsEverything) {
  const std::tuple<const char*, bool, std::function<Input()>> ways[] = {
      {"o", true, [] { return Type('o'); }},
      {"Enter on OK", true, [] { return Times(2, Press(VK_TAB)) + Press(VK_RETURN); }},
      {"OK clicked", true, [this] { return ClickOn(OK); }},
      {"c", false, [] { return Type('C'); }},
      {"Enter on Cancel", false, [] { return Times(3, Press(VK_TAB)) + Press(VK_RETURN); }},
      {"Cancel clicked", false, [this] { return ClickOn(CANCEL); }}};
  const SurveySettings before = config.settings;
  const std::string fileBefore = SettingsFileText();
  for (const auto& [what, stores, leave] : ways) {
    SCOPED_TRACE(what);
    config.settings = before;
    display.channels = CreateChannelResources(before);
    const PenHandle pensBefore = display.channels.curvePen[0];
    ASSERT_TRUE(SaveSettings(config));
    closedCount = 0;
    state.profileOptionsChannel = 0;  // Tab to OK or Cancel passes " G2"
    const Hwnd window = Open();
    TypeIntoModal(Type('s'), TypeColorAndAccept());
    Keys(Type('4') + Type('p'));
    Keys(leave());

    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(closedCount, 1);
    EXPECT_TRUE(windowGoneWhenClosed);
    ConfigState saved;
    LoadSettings(saved);
    if (stores) {
      for (const SurveySettings& s : {config.settings, saved.settings}) {
        EXPECT_EQ(s.channelColor[0], static_cast<std::int32_t>(TYPED_COLOR));
        EXPECT_EQ(s.channelThickness[0], 4);
        EXPECT_EQ(s.channelShown[0], 0);
        EXPECT_EQ(s.channelThickness[1], before.channelThickness[1]);
      }
      EXPECT_EQ(display.channels.curvePen[0]->width, 4);
      EXPECT_EQ(display.channels.curvePen[0]->color, TYPED_COLOR);
    } else {
      EXPECT_EQ(config.settings.channelColor, before.channelColor);
      EXPECT_EQ(config.settings.channelThickness, before.channelThickness);
      EXPECT_EQ(config.settings.channelShown, before.channelShown);
      EXPECT_EQ(SettingsFileText(), fileBefore);
      EXPECT_EQ(display.channels.curvePen[0], pensBefore);
    }
  }
}

// Opening it while it is open keeps the one window and its opener's redraw.
TEST_F(ProfileOptionsWindowTest, ReopeningShowsTheChannelChosenLastWithFreshWorkingCopies) {
  const Hwnd first = Open();
  Keys(Press(VK_TAB) + Type('5') + Type('p'));
  int secondOpener = 0;
  EXPECT_TRUE(OpenProfileOptionsWindow(config, display, [&] { ++secondOpener; }));
  EXPECT_EQ(state.window, first);
  Keys(Type('c'));
  EXPECT_EQ(closedCount, 1);
  EXPECT_EQ(secondOpener, 0);
  Open();
  EXPECT_EQ(state.profileOptionsChannel, 1);
  EXPECT_TRUE(Checked(G2));
  EXPECT_FALSE(Checked(G1));
  EXPECT_TRUE(Shows("Sensor #2"));
  EXPECT_EQ(CheckedThicknesses(), std::vector<int>{config.settings.channelThickness[1]});
  EXPECT_TRUE(Checked(SHOWN));
  EXPECT_TRUE(ShowsY(1));
}

}  // namespace
}  // namespace gradlog
