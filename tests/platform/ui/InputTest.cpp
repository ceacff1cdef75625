#include "WindowTestSupport.h"
#include "platform/ui/MessageBox.h"

namespace {

using namespace ui_test;

class InputTest : public HostTest {
 protected:
  Hwnd MakeButton(const std::string& text, int id, Rect rect, std::uint32_t type) {
    return MakeChild("button", WS_TABSTOP | type, rect, id, text);
  }
  // Shows a message box and answers it with `input` once it has been painted (a timer
  // fires only when nothing else waits).
  int Box(const std::string& text, const std::string& caption, std::uint32_t type,
          const Input& input, std::function<void(Hwnd box)> look = {}) {
    host.hook = [&](const Message& m) -> LRESULT {
      if (m.message != WM_TIMER)
        return 0;
      KillTimer(m.hwnd, 9);
      if (look)
        look(FindWindow("MessageBoxWnd", caption));
      for (const InputEvent& event : input)
        test.platform->InjectInput(event);
      return 0;
    };
    SetTimer(window, 9, 10);
    test.services.Advance(10);
    const int answer = MessageBox(window, text, caption, type);
    host.hook = {};
    return answer;
  }
};

TEST_F(InputTest, KeysGoToTheFocusedWindowButNotToADisabledOne) {
  SetFocus(window);
  Inject(Key('S'));
  EXPECT_EQ(host.Count(WM_KEYDOWN), 1);
  EXPECT_EQ(host.Count(WM_KEYUP), 1);
  EnableWindow(window, false);
  Inject(Key('S'));
  EXPECT_EQ(host.Count(WM_KEYDOWN), 1);
}

TEST_F(InputTest, PushButtonsAnswerClicksEnterAndSpaceAndLeaveOtherKeysToTheParent) {
  const Hwnd button = MakeButton("E&xit", 426, {180, 211, 310, 236}, BS_PUSHBUTTON);
  Inject(Click({200, 220}));
  // A press that is released off the button is no click.
  Inject({PointerEvent(InputKind::ButtonDown, {200, 220}),
          PointerEvent(InputKind::ButtonUp, {10, 10})});
  SetFocus(button);
  Inject(Key(VK_RETURN) + Key(VK_SPACE) + Key(VK_DOWN));
  EXPECT_EQ(host.commands, Commands(3, {426, BN_CLICKED}));
  EXPECT_EQ(host.Count(WM_KEYDOWN), 1);
}

TEST_F(InputTest, ButtonTextShowsWithoutItsMnemonicMarkAndTheDefaultOneHasAHeavierFrame) {
  const Hwnd plain = MakeButton("E&xit", 1, {10, 10, 110, 35}, BS_PUSHBUTTON);
  MakeButton("&Logging", 2, {10, 50, 110, 75}, BS_DEFPUSHBUTTON);
  EXPECT_TRUE(test.Screen().Trace().IsVisibleIn("Exit", {10, 10, 110, 35}));
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
  const auto look = [&](Hwnd box) {
    boxRect = GetWindowRect(box);
    EXPECT_TRUE(test.Screen().Trace().IsVisible("please restart the system."));
    EXPECT_TRUE(test.Screen().Trace().IsVisible("and \"Warm Reset Detected\" is displayed."));
  };
  EXPECT_EQ(Box(text, "PROGRAM STOP", MB_ICONEXCLAMATION, Key(VK_ESCAPE), look), IDOK);
  EXPECT_TRUE(Rect({0, 0, 320, 240}).Contains(boxRect));
  EXPECT_GT(boxRect.Width(), 0);
  EXPECT_NEAR(boxRect.left + boxRect.right, 320, 1);
  EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(InputTest, YesNoBoxIgnoresEscapeAndTakesItsMnemonics) {
  EXPECT_EQ(Box("Overwrite?", "File", MB_YESNO | MB_ICONQUESTION, Key(VK_ESCAPE) + Key('N')), IDNO);
}

}  // namespace
