#include "DialogTestSupport.h"

namespace {

using namespace dialog_test;

enum { NAME = 10, PORT, ALPHA = 20, BETA, GAMMA, KEEP = 30, SAVE = 40 };

// What WM_INITDIALOG does before the keys: the item it focuses (none: the first tab stop
// gets the focus), the one it disables and the one it checks; `more` runs last.
struct Prepared {
  int focus = 0, disabled = 0, checked = 0;
  std::function<void(Hwnd)> more;
};

class DialogKeys : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    constexpr std::uint32_t RADIO = BS_AUTORADIOBUTTON;
    RegisterDialogTemplate(
        {.name = "Keys",
         .cx = 160,
         .cy = 100,
         .items = {Item(FAKE_LABEL, "&Name:", 100, 0), Item(FAKE_EDIT, "", NAME, WS_TABSTOP),
                   Item(FAKE_LABEL, "&Port:", 101, 0), Item(FAKE_EDIT, "", PORT, WS_TABSTOP),
                   Item(FAKE_BUTTON, "&Alpha", ALPHA, RADIO | WS_GROUP | WS_TABSTOP),
                   Item(FAKE_BUTTON, "&Beta", BETA, RADIO),
                   Item(FAKE_BUTTON, "&Gamma", GAMMA, RADIO),
                   Item(FAKE_BUTTON, "&Keep", KEEP, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP),
                   Item(FAKE_BUTTON, "&Save", SAVE, WS_GROUP | WS_TABSTOP),
                   Item(FAKE_BUTTON, "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP),
                   Item(FAKE_BUTTON, "Cancel", IDCANCEL, WS_TABSTOP)}});
  }

  // Runs the dialog on `input` and a closing Escape.
  std::optional<int> Run(const Input& input, const Prepared& setup = {}) {
    Queue(input + Key(VK_ESCAPE));
    return RunSteps({}, [&] {
      return DialogBox("keys", {}, Procedure([&](const Message& m) {
                         if (m.message != WM_INITDIALOG)
                           return false;
                         if (setup.disabled)
                           EnableWindow(GetDlgItem(m.hwnd, setup.disabled), false);
                         SendDlgItemMessage(m.hwnd, setup.checked, BM_SETCHECK, BST_CHECKED);
                         if (setup.focus)
                           SetFocus(GetDlgItem(m.hwnd, setup.focus));
                         if (setup.more)
                           setup.more(m.hwnd);
                         return setup.focus == 0 && !setup.more;
                       }));
    });
  }
};

bool SelectsAll(const Received& r) {
  return r.message == EM_SETSEL && r.wParam == 0 && r.lParam == -1;
}
bool IsArrowKey(const Received& r) {
  return r.message == WM_KEYDOWN && r.wParam >= VK_LEFT && r.wParam <= VK_DOWN;
}

struct KeyCase {
  const char* what;
  Prepared setup;
  Input input;
  // The fakes that got the focus, BM_CLICK, EM_SETSEL(0, -1), an arrow key and WM_CHAR.
  std::vector<int> focus, clicks, selectAll, arrowsTo, charsTo;
};

TEST_F(DialogKeys, TabArrowsAndMnemonicsMoveTheFocusAsClassically) {
  const KeyCase cases[] = {
      {.what = "Tab visits enabled tab stops in order and wraps",
       .setup = {.disabled = SAVE},
       .input = Times(7, Key(VK_TAB)),
       .focus = {NAME, PORT, ALPHA, KEEP, IDOK, IDCANCEL, NAME, PORT},
       .selectAll = {NAME, PORT, NAME, PORT}},
      {.what = "Shift+Tab goes back and enters a radio group at its checked button",
       .setup = {.checked = BETA},
       .input = Times(5, Key(VK_TAB, true)),
       .focus = {NAME, IDCANCEL, IDOK, SAVE, KEEP, BETA},
       .selectAll = {NAME}},
      {.what = "arrows move within a radio group, clicking, past a disabled button",
       .setup = {.focus = ALPHA, .disabled = BETA},
       .input = Key(VK_DOWN) + Key(VK_RIGHT) + Key(VK_UP) + Key(VK_LEFT),
       .focus = {ALPHA, GAMMA, ALPHA, GAMMA, ALPHA},
       .clicks = {GAMMA, ALPHA, GAMMA, ALPHA}},
      {.what = "arrows stay with a check box, a push button and an edit",
       .setup = {.focus = KEEP},
       .input = Key(VK_UP) + Key(VK_TAB) + Key(VK_RIGHT) + Times(3, Key(VK_TAB)) + Key(VK_DOWN),
       .focus = {KEEP, SAVE, IDOK, IDCANCEL, NAME},
       .selectAll = {NAME},
       .arrowsTo = {KEEP, SAVE, NAME}},
      // An edit takes plain letters; Alt+letter works anywhere; a label hands the focus on.
      {.what = "mnemonics",
       .input = Type('g') + AltLetter('p') + AltLetter('g') + Type('s') + Type('n') + Type('x'),
       .focus = {NAME, PORT, GAMMA, NAME},
       .clicks = {GAMMA, SAVE},
       .selectAll = {NAME, PORT, NAME},
       .charsTo = {NAME, NAME}},
  };
  for (const KeyCase& c : cases) {
    received.clear();
    EXPECT_EQ(Run(c.input, c.setup), IDCANCEL) << c.what;
    EXPECT_EQ(Where(WM_SETFOCUS), c.focus) << c.what;
    EXPECT_EQ(Where(BM_CLICK), c.clicks) << c.what;
    EXPECT_EQ(Where(SelectsAll), c.selectAll) << c.what;
    EXPECT_EQ(Where(IsArrowKey), c.arrowsTo) << c.what;
    EXPECT_EQ(Where(WM_CHAR), c.charsTo) << c.what;
  }
}

TEST_F(DialogKeys, EnterPressesTheFocusedOrDefaultButtonAndEscapeCancels) {
  // Focus, key, and the command the procedure sees first; Run's Escape ends the dialog
  // when that command did not.
  const std::tuple<int, std::uint32_t, int> cases[] = {
      {NAME, VK_RETURN, IDOK},         {ALPHA, VK_RETURN, IDOK},    {SAVE, VK_RETURN, SAVE},
      {IDCANCEL, VK_RETURN, IDCANCEL}, {NAME, VK_ESCAPE, IDCANCEL}, {IDOK, VK_ESCAPE, IDCANCEL},
  };
  for (const auto& [focus, key, command] : cases) {
    commands.clear();
    EXPECT_EQ(Run(Key(key), {.focus = focus}), command == IDOK ? IDOK : IDCANCEL) << focus;
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands[0], std::pair(command, int{BN_CLICKED})) << focus;
  }
  // A disabled default button is not pressed; without any, Enter still gives IDOK.
  commands.clear();
  EXPECT_EQ(Run(Key(VK_RETURN), {.disabled = IDOK}), IDCANCEL);
  EXPECT_EQ(commands, (Commands{{IDCANCEL, BN_CLICKED}}));
  RegisterDialogTemplate(
      {.name = "Plain", .cx = 80, .cy = 40, .items = {Item(FAKE_EDIT, "", NAME, WS_TABSTOP)}});
  Queue(Key(VK_RETURN));
  EXPECT_EQ(DialogBox("plain", {}, Procedure()), IDOK);
}

TEST_F(DialogKeys, KeysOfAPopUpWindowAreNotTheDialogs) {
  ui_test::RecordingClass list;
  list.Register("DropList", Rgb(255, 255, 255));
  list.hook = [](const Message& m) -> LRESULT {
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE)
      EndDialog(FindWindow("Dialog", ""), 9);
    return 0;
  };
  const auto popUp = [](Hwnd) {
    SetFocus(ui_test::MakeTopLevel("DropList", {100, 100, 140, 160}, WS_POPUP));
  };
  EXPECT_EQ(Run(Key(VK_TAB) + Key(VK_RETURN), {.more = popUp}), 9);
  EXPECT_EQ(list.Count(WM_KEYDOWN), 3);
  EXPECT_TRUE(Where(WM_SETFOCUS).empty());
  EXPECT_TRUE(commands.empty());
}

}  // namespace
