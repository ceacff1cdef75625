#include "WindowTestSupport.h"
#include "platform/ui/MessageBox.h"

namespace {

using namespace ui_test;
using InputTest = HostTest;

TEST_F(InputTest, KeysGoToTheFocusedWindowButNotToADisabledOne) {
  SetFocus(window);
  Inject(Key('S'));
  EXPECT_EQ(host.Count(WM_KEYDOWN), 1);
  EXPECT_EQ(host.Count(WM_KEYUP), 1);
  EnableWindow(window, false);
  Inject(Key('S'));
  EXPECT_EQ(host.Count(WM_KEYDOWN), 1);
}

TEST_F(InputTest, MessageBoxFitsTheScreenAndAnswersFromTheKeyboard) {
  const std::string text =
      "Windows has run for more than 20 days.\r\nTo assure accurate clock operation\r\n"
      "please restart the system.\r\nPress and hold On/Off key till blue screen\r\n"
      "and \"Warm Reset Detected\" is displayed.";
  const auto look = [&] {
    const Rect box = GetWindowRect(FindWindow("MessageBoxWnd", "PROGRAM STOP"));
    EXPECT_TRUE(Rect({0, 0, 320, 240}).Contains(box));
    EXPECT_GT(box.Width(), 0);
    EXPECT_NEAR(box.left + box.right, 320, 1);
    EXPECT_TRUE(Shows("please restart the system."));
    EXPECT_TRUE(Shows("and \"Warm Reset Detected\" is displayed."));
  };
  EXPECT_EQ(RunSteps({look, Queued(Key(VK_ESCAPE))},
                     [&] { return MessageBox(window, text, "PROGRAM STOP", MB_ICONEXCLAMATION); }),
            IDOK);
  EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(InputTest, YesNoBoxIgnoresEscapeAndTakesItsMnemonics) {
  EXPECT_EQ(RunSteps({Queued(Key(VK_ESCAPE) + Key('N'))},
                     [&] { return MessageBox(window, "Overwrite?", "File", MB_YESNO); }),
            IDNO);
}

}  // namespace
