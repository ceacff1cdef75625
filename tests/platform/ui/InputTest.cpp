#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "platform/ui/MessageBox.h"

namespace {

using namespace platform;
using namespace ui_test;

class InputTest : public ::testing::Test {
 protected:
  testing_support::TestPlatform test;
  RecordingClass recorder;
  Hwnd window;
  std::vector<WPARAM> commands;

  void SetUp() override {
    recorder.Register("Recorder", Rgb(192, 192, 192));
    recorder.hook = [this](const Message& m) -> LRESULT {
      if (m.message == WM_COMMAND)
        commands.push_back(m.wParam);
      return 0;
    };
    window = MakeTopLevel("Recorder", {0, 0, 320, 240});
    PumpMessages();
  }

  Hwnd MakeButton(const std::string& text, int id, Rect rect, std::uint32_t type) {
    return CreateWindow({.className = "button",
                         .title = text,
                         .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | type,
                         .rect = rect,
                         .parent = window,
                         .id = id});
  }

  void Press(std::uint32_t key) {
    test.platform->InjectInput({.kind = InputKind::KeyDown, .virtualKey = key});
    test.platform->InjectInput({.kind = InputKind::KeyUp, .virtualKey = key});
    PumpMessages();
  }

  void Click(Point p) {
    test.platform->InjectInput({.kind = InputKind::ButtonDown, .position = p});
    test.platform->InjectInput({.kind = InputKind::ButtonUp, .position = p});
    PumpMessages();
  }
};

TEST_F(InputTest, KeysGoToTheFocusedWindowButNotToADisabledOne) {
  SetFocus(window);
  Press('S');
  EXPECT_EQ(recorder.Count(WM_KEYDOWN), 1);
  EXPECT_EQ(recorder.Count(WM_KEYUP), 1);
  EnableWindow(window, false);
  Press('S');
  EXPECT_EQ(recorder.Count(WM_KEYDOWN), 1);
}

TEST_F(InputTest, AClickOnAButtonSendsItsCommandToTheParent) {
  MakeButton("E&xit", 426, {180, 211, 310, 236}, BS_PUSHBUTTON);
  PumpMessages();
  Click({200, 220});
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(LowWord(commands[0]), 426);
  EXPECT_EQ(HighWord(commands[0]), BN_CLICKED);
  // A press that is released off the button is no click.
  test.platform->InjectInput({.kind = InputKind::ButtonDown, .position = {200, 220}});
  test.platform->InjectInput({.kind = InputKind::ButtonUp, .position = {10, 10}});
  PumpMessages();
  EXPECT_EQ(commands.size(), 1u);
}

TEST_F(InputTest, EnterAndSpacePressTheFocusedButtonOtherKeysReachTheParent) {
  const Hwnd button = MakeButton("&Go", 460, {10, 10, 70, 29}, BS_PUSHBUTTON);
  SetFocus(button);
  Press(VK_RETURN);
  Press(VK_SPACE);
  EXPECT_EQ(commands.size(), 2u);
  Press(VK_DOWN);
  EXPECT_EQ(recorder.Count(WM_KEYDOWN), 1);
}

TEST_F(InputTest, ButtonTextShowsWithoutItsMnemonicMarkAndDefaultStyleDrawsAHeavierFrame) {
  const Hwnd plain = MakeButton("E&xit", 1, {10, 10, 110, 35}, BS_PUSHBUTTON);
  MakeButton("&Logging", 2, {10, 50, 110, 75}, BS_DEFPUSHBUTTON);
  PumpMessages();
  EXPECT_TRUE(test.Screen().Trace().IsVisibleIn("Exit", {10, 10, 110, 35}));
  EXPECT_TRUE(test.Screen().Trace().IsVisibleIn("Logging", {10, 50, 110, 75}));
  // The plain button's outer edge is the white highlight; the default one's is black.
  EXPECT_EQ(ScreenColor(test.Screen(), 10, 20), Rgb(255, 255, 255));
  EXPECT_EQ(ScreenColor(test.Screen(), 10, 60), Rgb(0, 0, 0));
  SendMessage(plain, BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
  PumpMessages();
  EXPECT_EQ(ScreenColor(test.Screen(), 10, 20), Rgb(0, 0, 0));
}

TEST_F(InputTest, MessageBoxFitsTheScreenAndAnswersFromTheKeyboard) {
  const std::string text =
      "Windows has run for more than 20 days.\r\nTo assure accurate clock operation\r\n"
      "please restart the system.\r\nPress and hold On/Off key till blue screen\r\n"
      "and \"Warm Reset Detected\" is displayed.";
  Rect boxRect;
  bool linesVisible = false;
  // The check runs once the box has painted: a timer fires only when nothing else waits.
  recorder.hook = [&](const Message& m) -> LRESULT {
    if (m.message != WM_TIMER)
      return 0;
    KillTimer(m.hwnd, 9);
    boxRect = GetWindowRect(FindWindow("MessageBoxWnd", "PROGRAM STOP"));
    linesVisible = test.Screen().Trace().IsVisible("please restart the system.") &&
                   test.Screen().Trace().IsVisible("and \"Warm Reset Detected\" is displayed.");
    test.platform->InjectInput({.kind = InputKind::KeyDown, .virtualKey = VK_ESCAPE});
    return 0;
  };
  SetTimer(window, 9, 10);
  test.services.Advance(10);
  EXPECT_EQ(MessageBox(window, text, "PROGRAM STOP", MB_ICONEXCLAMATION), IDOK);
  EXPECT_TRUE(Rect({0, 0, 320, 240}).Contains(boxRect));
  EXPECT_GT(boxRect.Width(), 0);
  EXPECT_NEAR(boxRect.left + boxRect.right, 320, 1);
  EXPECT_TRUE(linesVisible);
  EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(InputTest, YesNoBoxIgnoresEscapeAndTakesItsMnemonics) {
  recorder.hook = [&](const Message& m) -> LRESULT {
    if (m.message != WM_TIMER)
      return 0;
    KillTimer(m.hwnd, 1);
    test.platform->InjectInput({.kind = InputKind::KeyDown, .virtualKey = VK_ESCAPE});
    test.platform->InjectInput({.kind = InputKind::KeyDown, .virtualKey = 'N'});
    return 0;
  };
  SetTimer(window, 1, 10);
  test.services.Advance(10);
  EXPECT_EQ(MessageBox(window, "Overwrite?", "File", MB_YESNO | MB_ICONQUESTION), IDNO);
}

}  // namespace
