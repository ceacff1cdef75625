#include "WindowTestSupport.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageBox.h"

namespace {

using namespace ui_test;

class ControlsTest : public HostTest {
 protected:
  // A button on row `row`, 20 pixels high from y = 10, with the id row + 1.
  Hwnd MakeButton(const std::string& text, std::uint32_t style, int row) {
    return MakeChild("BUTTON", WS_TABSTOP | style, Rect::FromSize(10, 10 + 20 * row, 140, 20),
                     row + 1, text);
  }
  void ClickRow(int row) { Inject(Click({20, 20 + 20 * row})); }
};

LRESULT CheckOf(Hwnd button) {
  return SendMessage(button, BM_GETCHECK).value_or(-1);
}

TEST_F(ControlsTest, PushButtonsAnswerClicksEnterAndSpaceAndLeaveOtherKeysToTheParent) {
  const Hwnd button = MakeChild("button", WS_TABSTOP, {180, 211, 310, 236}, 426, "E&xit");
  Inject(Click({200, 220}));
  // A press that is released off the button is no click.
  Inject({PointerEvent(InputKind::ButtonDown, {200, 220}),
          PointerEvent(InputKind::ButtonUp, {10, 10})});
  SetFocus(button);
  Inject(Key(VK_RETURN) + Key(VK_SPACE) + Key(VK_DOWN));
  EXPECT_EQ(host.commands, Commands(3, {426, BN_CLICKED}));
  EXPECT_EQ(host.Count(WM_KEYDOWN), 1);
}

TEST_F(ControlsTest, TheDefaultButtonHasAHeavierFrame) {
  const Hwnd plain = MakeChild("button", 0, {10, 10, 110, 35}, 1, "E&xit");
  MakeChild("button", BS_DEFPUSHBUTTON, {10, 50, 110, 75}, 2, "&Logging");
  // The plain button's outer edge is the white highlight; the default one's is black.
  EXPECT_EQ(At(10, 20), Rgb(255, 255, 255));
  EXPECT_EQ(At(10, 60), Rgb(0, 0, 0));
  SendMessage(plain, BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
  PumpMessages();
  EXPECT_EQ(At(10, 20), Rgb(0, 0, 0));
}

TEST_F(ControlsTest, AutoRadioButtonsCheckOneOfTheirGroupOnly) {
  // The first child starts a group without WS_GROUP; a static with WS_GROUP starts the next.
  const Hwnd a = MakeButton("A", BS_AUTORADIOBUTTON, 0);
  const Hwnd b = MakeButton("B", BS_AUTORADIOBUTTON, 1);
  const Hwnd c = MakeButton("C", BS_AUTORADIOBUTTON, 2);
  MakeChild("STATIC", WS_GROUP, Rect::FromSize(10, 70, 140, 20), 0, "Other");
  const Hwnd d = MakeButton("D", BS_AUTORADIOBUTTON, 4);
  const Hwnd e = MakeButton("E", BS_AUTORADIOBUTTON, 5);
  for (Hwnd button : {a, d, e})  // setting a check leaves the others alone
    SendMessage(button, BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(CheckOf(d), BST_CHECKED);

  ClickRow(1);  // B
  EXPECT_EQ(GetFocus(), b);
  SetFocus(c);
  Inject(Key(VK_SPACE));
  ClickRow(5);  // E, of the other group
  EXPECT_EQ(CheckOf(c), BST_CHECKED);
  SendMessage(b, BM_CLICK);  // as the dialog manager moves with the arrows
  ClickRow(1);               // B again: stays checked, still notifies
  EXPECT_EQ(
      host.commands,
      (Commands{
          {2, BN_CLICKED}, {3, BN_CLICKED}, {6, BN_CLICKED}, {2, BN_CLICKED}, {2, BN_CLICKED}}));
  const std::vector<LRESULT> checks = {CheckOf(a), CheckOf(b), CheckOf(c), CheckOf(d), CheckOf(e)};
  EXPECT_EQ(checks, (std::vector<LRESULT>{0, 1, 0, 0, 1}));
  EXPECT_EQ(At(16, 39), Rgb(0, 0, 0));  // B's dot
  EXPECT_EQ(At(16, 59), Rgb(255, 255, 255));
}

TEST_F(ControlsTest, CheckBoxesToggleAndShowTheirTickAndIgnoreOtherKeys) {
  const Hwnd box = MakeButton("&Beep", BS_AUTOCHECKBOX, 0);
  // 13-pixel marks centred in 20-pixel rows: a pixel of the tick.
  ClickRow(0);
  EXPECT_EQ(CheckOf(box), BST_CHECKED);
  EXPECT_EQ(At(15, 21), Rgb(0, 0, 0));
  Inject(Key(VK_SPACE));
  EXPECT_EQ(CheckOf(box), BST_UNCHECKED);
  EXPECT_EQ(At(15, 21), Rgb(255, 255, 255));
  // Keys it does not use reach neither it nor its parent; Enter is the dialog's.
  Inject(Key(VK_RETURN) + Key(VK_DOWN) + Key('B'));
  EXPECT_EQ(host.commands, (Commands{{1, BN_CLICKED}, {1, BN_CLICKED}}));
  EXPECT_EQ(host.Count(WM_KEYDOWN), 0);
}

TEST_F(ControlsTest, StaticTextCentresWrapsAndTakesNoFocus) {
  const Rect centred = Rect::FromSize(10, 30, 200, 15);
  const Hwnd title = MakeChild("STATIC", SS_CENTER, centred, 0, "Survey");
  const Rect shown = TextRect(test.Screen(), "Survey");
  EXPECT_NEAR(shown.left - centred.left, centred.right - shown.right, 1);
  EXPECT_GT(shown.left - centred.left, 20);
  SetWindowText(title, "Grid");
  PumpMessages();
  EXPECT_FALSE(Shows("Survey")) << "the new text is shown alone";

  const Rect narrow = Rect::FromSize(10, 60, 70, 60);
  MakeChild("STATIC", SS_LEFT, narrow, 0, "Walk the lines back and forth");
  const std::vector<TextTraceEntry> lines = test.Screen().Trace().EntriesIn(narrow);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_TRUE(lines.front().text.starts_with("Walk") && lines.back().text.ends_with("forth"));
  EXPECT_EQ(lines.front().rect.left, narrow.left);
  for (const TextTraceEntry& line : lines)  // each line whole, none cut at the right
    EXPECT_EQ(line.rect.Width(), SystemFont()->MeasureText(line.text).width) << line.text;

  SetFocus(window);
  Inject(Click({15, 65}));
  EXPECT_EQ(GetFocus(), window);
}

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
