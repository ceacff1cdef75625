#include "WindowTestSupport.h"
#include "platform/ui/Controls.h"

namespace {

using namespace ui_test;

using Selection = std::pair<int, int>;

Selection SelectionOf(Hwnd edit) {
  const auto packed = static_cast<WPARAM>(SendMessage(edit, EM_GETSEL).value_or(-1));
  return {LowWord(packed), HighWord(packed)};
}

class EditTest : public HostTest {
 protected:
  Hwnd MakeEdit(const std::string& text, Rect rect = {10, 10, 150, 29}) {
    const Hwnd edit = MakeChild("edit", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, rect, 7, text);
    SetFocus(edit);
    PumpMessages();
    host.commands.clear();
    return edit;
  }
  int Changes() const { return host.CommandCount(7, EN_CHANGE); }

  std::string Shown(Hwnd edit) {
    std::vector<TextTraceEntry> entries = test.Screen().Trace().EntriesIn(GetWindowRect(edit));
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.rect.left < b.rect.left; });
    std::string shown;
    for (const TextTraceEntry& entry : entries)
      shown += entry.text;
    return shown;
  }
};

TEST_F(EditTest, KeysAndTypingEditTheTextAndNotifyOnlyRealChanges) {
  const Input left = Key(VK_LEFT), back = Key(VK_BACK);
  const Input del = Key(VK_DELETE), home = Key(VK_HOME), end = Key(VK_END);
  struct Case {
    std::string initial;
    Selection select;  // sent as EM_SETSEL unless start is -2
    Input input;
    std::string text;
    Selection selection;
    int changes;
  };
  const std::vector<Case> cases = {
      {"COM1:", {-2, 0}, Chars("X"), "XCOM1:", {1, 1}, 1},  // new text: caret at the start
      {"COM1:", {2, 99}, {}, "COM1:", {2, 5}, 0},           // EM_SETSEL clamps and orders its ends
      {"12345", {1, 4}, Chars("ab"), "1ab5", {3, 3}, 2},
      {"abc", {2, 2}, back, "ac", {1, 1}, 1},  // VK_BACK and '\b' make one deletion
      {"abc", {0, 0}, back, "abc", {0, 0}, 0},
      {"abcdef", {1, 4}, back, "aef", {1, 1}, 1},
      {"abc", {1, 1}, del, "ac", {1, 1}, 1},
      {"mid", {1, 1}, home + Chars("<") + end + Chars(">"), "<mid>", {5, 5}, 2},
      {"abcdef", {1, 4}, left + Chars("x"), "axbcdef", {2, 2}, 1},  // to the selection's start
      {"ab", {1, 1}, left + left + Chars("<"), "<ab", {1, 1}, 1},
      {"abcdef", {2, 2}, Key(VK_RIGHT, true) + Key(VK_RIGHT, true), "abcdef", {2, 4}, 0},
      {"abcdef", {4, 4}, Key(VK_LEFT, true) + Key(VK_LEFT, true) + back, "abef", {2, 2}, 1},
      {"abcdef", {3, 3}, Key(VK_HOME, true) + Chars("-"), "-def", {1, 1}, 1},
      {"abcdef", {2, 2}, Key(VK_END, true) + del, "ab", {2, 2}, 1},
      {"ab", {2, 2}, Chars("\t\r\x1b\x7f"), "ab", {2, 2}, 0},
      {"a\u00b0b", {2, 2}, Input{CharEvent(U'\u00e9')} + back + back, "ab", {1, 1}, 3},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    const Case& c = cases[i];
    const Hwnd edit = MakeEdit(c.initial);
    if (c.select.first != -2)
      SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(c.select.first), c.select.second);
    Inject(c.input);
    EXPECT_EQ(GetWindowText(edit), c.text);
    EXPECT_EQ(SelectionOf(edit), c.selection);
    EXPECT_EQ(Changes(), c.changes);
    DestroyWindow(edit);
  }
}

TEST_F(EditTest, TheLimitRefusesTypingButNotReplacing) {
  const Hwnd edit = MakeEdit(std::string(30000, 'x'));
  Inject(Chars("y") + Key(VK_DELETE) + Chars("yz"));  // the limit the program keeps
  EXPECT_EQ(GetWindowText(edit), "y" + std::string(29999, 'x'));
  SendMessage(edit, EM_SETSEL, 1, 3);
  Inject(Chars("ab"));
  EXPECT_EQ(GetWindowText(edit), "yab" + std::string(29997, 'x'));
  EXPECT_EQ(Changes(), 4);
}

TEST_F(EditTest, ALongTextScrollsToKeepTheCaretInView) {
  const std::string text = "0123456789abcdefghijklmnopqrstuvwxyz";
  const Hwnd edit = MakeEdit(text, {10, 10, 70, 29});
  const std::string start = Shown(edit);
  EXPECT_TRUE(start.starts_with("0123") && start.size() < text.size()) << start;
  Inject(Key(VK_END) + Chars("!"));
  const std::string shown = Shown(edit);
  EXPECT_TRUE(shown.ends_with("yz!") && shown[0] != '0') << shown;
  Inject(Key(VK_HOME));
  EXPECT_EQ(Shown(edit), start);
  // Deleting from the end scrolls back so that the box stays filled.
  Inject(Key(VK_END) + Times(31, Key(VK_BACK)));
  EXPECT_EQ(Shown(edit), "012345");
}

TEST_F(EditTest, ThePointerPlacesTheCaretAndDragsASelection) {
  const Hwnd edit = MakeEdit("abcdef");
  SetFocus(window);
  const auto at = [](const char* prefix) {
    return Point{10 + 3 + SystemFont()->MeasureText(prefix).width, 19};
  };
  Inject(Click(at("abc")));
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(SelectionOf(edit), Selection(3, 3));
  // The drag stays with the box when the pointer leaves it.
  const Point below{at("abcde").x, 60};
  Inject({PointerEvent(InputKind::ButtonDown, at("ab")),
          PointerEvent(InputKind::PointerMove, below), PointerEvent(InputKind::ButtonUp, below)});
  EXPECT_EQ(SelectionOf(edit), Selection(2, 5));
}

}  // namespace
