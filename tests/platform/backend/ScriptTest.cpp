#include <gtest/gtest.h>

#include <tuple>

#include "EventText.h"
#include "platform/backend/Script.h"
#include "platform/backend/VirtualKeys.h"

namespace platform {
namespace {

using namespace eventtext;
using Kind = ScriptCommandKind;

// A command's kind, line number, milliseconds, text and point.
using Command = std::tuple<Kind, int, std::uint32_t, std::string, Point>;

TEST(ScriptParser, ParsesEachCommand) {
  const std::pair<std::string_view, Command> cases[] = {
      {"  \twait 7 \t ", {Kind::Wait, 1, 7, "", {}}},
      {"key   eNtEr  ", {Kind::Key, 1, 0, "eNtEr", {}}},
      {"type  a # not a comment", {Kind::Type, 1, 0, " a # not a comment", {}}},
      {"type trailing   \r", {Kind::Type, 1, 0, "trailing", {}}},
      {"click  319\t239 ", {Kind::Click, 1, 0, "", {319, 239}}},
      {"screenshot out/first shot.png", {Kind::Screenshot, 1, 0, "out/first shot.png", {}}},
      {"expect 100% #2", {Kind::Expect, 1, 0, "100% #2", {}}},
      {"# comment\n\nquit   ", {Kind::Quit, 3, 0, "", {}}},
  };
  for (const auto& [input, expected] : cases) {
    const ScriptParseResult result = ParseScript(input);
    EXPECT_EQ(result.error, "") << input;
    ASSERT_EQ(result.commands.size(), 1u) << input;
    const ScriptCommand& c = result.commands[0];
    EXPECT_EQ(Command(c.kind, c.lineNumber, c.milliseconds, c.text, c.point), expected) << input;
  }
}

TEST(ScriptParser, ReportsTheFirstErrorWithItsLineAndKeepsTheCommandsBefore) {
  const std::string tooLarge = "number too large: \"2147483648\" (at most 2147483647)";
  const std::tuple<std::string_view, std::string, std::size_t> cases[] = {
      {"Wait 1", "line 1: unknown command \"Wait\"", 0},
      {"wait", "line 1: wait: missing number", 0},
      {"wait -5", "line 1: wait: negative number \"-5\"", 0},
      {"wait +5", "line 1: wait: not a number: \"+5\"", 0},
      {"wait 2147483648", "line 1: wait: " + tooLarge, 0},
      {"wait 99999999999999999999999",
       "line 1: wait: number too large: \"99999999999999999999999\" (at most 2147483647)", 0},
      {"wait 100 # pause", "line 1: wait: unexpected \"# pause\" after the number", 0},
      {"key", "line 1: key: missing key name", 0},
      {"key F13", "line 1: key: unknown key name \"F13\"", 0},
      {"type   ", "line 1: type: missing text", 0},
      {"click 1 2 3", "line 1: click: expected two numbers X Y", 0},
      {"click 2147483648 1", "line 1: click: " + tooLarge, 0},
      {"screenshot", "line 1: screenshot: missing path", 0},
      {"quit now", "line 1: quit: unexpected argument \"now\"", 0},
      // Line numbers count every line, blank and comment lines too.
      {"# demo\r\n  # note\r\n\t\r\nwait 1\r\nkey A\r\nbogus", "line 6: unknown command \"bogus\"",
       2},
      {"wait 1\n\nwait x\nquit", "line 3: wait: not a number: \"x\"", 1},
      {"  \r\n# only a comment", "", 0},
  };
  for (const auto& [input, error, commandsBefore] : cases) {
    const ScriptParseResult result = ParseScript(input);
    EXPECT_EQ(result.error, error) << input;
    EXPECT_EQ(result.commands.size(), commandsBefore) << input;
  }
}

TEST(KeyPressEvents, PressAndReleaseTheNamedKeyWhateverTheCase) {
  // Name, virtual key and the character typed (0: none).
  const std::tuple<std::string_view, std::uint32_t, char32_t> cases[] = {
      {"a", 'A', U'a'},          {"Z", 'Z', U'z'},
      {"7", '7', U'7'},          {"Enter", VK_RETURN, 0x0D},
      {"tAB", VK_TAB, 0x09},     {"ESCAPE", VK_ESCAPE, 0x1B},
      {"Space", VK_SPACE, U' '}, {"Backspace", VK_BACK, 0x08},
      {"Up", VK_UP, 0},          {"down", VK_DOWN, 0},
      {"Left", VK_LEFT, 0},      {"Right", VK_RIGHT, 0},
      {"F1", VK_F1, 0},          {"f12", VK_F12, 0},
  };
  for (const auto& [name, vk, typed] : cases) {
    Events expected{Down(vk), Up(vk)};
    if (typed != 0) {
      expected.insert(expected.begin() + 1, Char(typed));
    }
    const auto events = KeyPressEvents(name);
    EXPECT_EQ(events ? Describe(*events) : Events{"unknown"}, expected) << "name: " << name;
  }
  for (std::string_view name :
       {"", "F0", "F01", "F13", "Ctrl", "ab", "Enter ", "!", "\xc3\xa9", "Shift+", "Shift+Shift+A",
        "Alt+Alt+A", "Ctrl+A", "Shift+1", "Shift Tab", "Shift+Tab+A"}) {
    EXPECT_FALSE(KeyPressEvents(name).has_value()) << "name: \"" << name << "\"";
  }
}

TEST(KeyPressEvents, ShiftAndAltAreHeldAroundTheKey) {
  const std::pair<std::string_view, Events> cases[] = {
      {"Shift+Tab",
       {Down(VK_SHIFT, true), Down(VK_TAB, true), Char(0x09, true), Up(VK_TAB, true),
        Up(VK_SHIFT)}},
      {"shift+a",
       {Down(VK_SHIFT, true), Down('A', true), Char(U'A', true), Up('A', true), Up(VK_SHIFT)}},
      {"SHIFT+Up", {Down(VK_SHIFT, true), Down(VK_UP, true), Up(VK_UP, true), Up(VK_SHIFT)}},
      // Alt makes a command of the key: nothing is typed.
      {"Alt+s",
       {Down(VK_MENU, false, true), Down('S', false, true), Up('S', false, true), Up(VK_MENU)}},
      {"Alt+7",
       {Down(VK_MENU, false, true), Down('7', false, true), Up('7', false, true), Up(VK_MENU)}},
      {"Alt+Shift+F1",
       {Down(VK_SHIFT, true, true), Down(VK_MENU, true, true), Down(VK_F1, true, true),
        Up(VK_F1, true, true), Up(VK_MENU, true), Up(VK_SHIFT)}},
  };
  for (const auto& [name, expected] : cases) {
    const auto events = KeyPressEvents(name);
    EXPECT_EQ(events ? Describe(*events) : Events{"unknown"}, expected) << "name: " << name;
  }
  EXPECT_EQ(ParseScript("key Shift+Tab\nkey Alt+X").commands.size(), 2u);
}

TEST(TypeEvents, PressesKeysWithShiftForCapitalsAndCharsForTheRest) {
  const std::pair<std::string_view, Events> cases[] = {
      {"Ab 1.",
       {Down(VK_SHIFT, true), Down('A', true), Char(U'A', true), Up('A', true), Up(VK_SHIFT),
        Down('B'), Char(U'b'), Up('B'), Down(VK_SPACE), Char(U' '), Up(VK_SPACE), Down('1'),
        Char(U'1'), Up('1'), Down(VK_OEM_PERIOD), Char(U'.'), Up(VK_OEM_PERIOD)}},
      {"!\xc3\xa9", {Char(U'!'), Char(0xE9)}},
      // Broken UTF-8: a lead byte cut off by the end, a stray continuation byte.
      {"x\xc3", {Down('X'), Char(U'x'), Up('X'), Char(0xFFFD)}},
      {"\x80\xe2\x82\xac", {Char(0xFFFD), Char(0x20AC)}},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(Describe(TypeEvents(text)), expected) << "text: \"" << text << "\"";
  }
}

// Logs, in order, everything the driver asks of the program.
class FakeHost : public ScriptHost {
 public:
  void Inject(const InputEvent& event) override { log.push_back(Describe(event)); }
  bool WriteScreenshot(const std::string& path) override {
    log.push_back("screenshot " + path);
    return screenshotsWork;
  }
  bool IsTextVisible(std::string_view text) override { return text == "Logging"; }
  void Quit() override { log.push_back(QUIT); }
  void Fail(int exitCode, const std::string& message) override {
    log.push_back("fail " + std::to_string(exitCode) + " " + message);
  }

  Events log;
  bool screenshotsWork = true;
};

TEST(ScriptDriver, RunsOneCommandPerCall) {
  FakeHost host;
  ScriptDriver driver(
      ParseScript("key A\ntype !\nclick 12 34\nexpect Logging\nscreenshot a b.png\nquit").commands,
      host);
  const Events steps[] = {{Down('A'), Char(U'a'), Up('A')},
                          {Char(U'!')},
                          {Press(12, 34), Release(12, 34)},
                          {},
                          {"screenshot a b.png"},
                          {QUIT},
                          {}};
  ::testing::internal::CaptureStdout();
  for (const Events& step : steps) {
    host.log.clear();
    driver.RunDue(0);
    EXPECT_EQ(host.log, step);
  }
  // The run script reads this line to show the user where the picture went.
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "screenshot: a b.png\n");
  EXPECT_TRUE(driver.Finished());
}

TEST(ScriptDriver, WaitDelaysTheNextCommandFromWhenTheWaitRanEvenAcrossTheTickWrap) {
  const std::pair<std::string_view, std::vector<std::pair<std::uint32_t, std::size_t>>> cases[] = {
      // The second wait runs late, at 1500, and counts from then.
      {"wait 100\nkey A\nwait 20\nquit",
       {{1000, 0}, {1099, 0}, {1100, 3}, {1500, 3}, {1519, 3}, {1520, 4}}},
      {"wait 500\nkey A", {{0xFFFFFF00, 0}, {0xFFFFFFFF, 0}, {0, 0}, {0xF3, 0}, {0xF4, 3}}},
  };
  for (const auto& [script, calls] : cases) {
    FakeHost host;
    ScriptDriver driver(ParseScript(script).commands, host);
    for (const auto& [now, logged] : calls) {
      driver.RunDue(now);
      EXPECT_EQ(host.log.size(), logged) << script << " at tick " << now;
    }
  }
}

TEST(ScriptDriver, FailureEndsTheScriptWithCode3) {
  const std::pair<std::string_view, Events> cases[] = {
      {"expect Logging\nexpect Stopped\nquit", {"fail 3 expect: \"Stopped\" is not on the screen"}},
      {"screenshot /no/a.png\nquit",
       {"screenshot /no/a.png", "fail 3 screenshot: cannot write /no/a.png"}},
  };
  for (const auto& [script, log] : cases) {
    FakeHost host;
    host.screenshotsWork = false;
    ScriptDriver driver(ParseScript(script).commands, host);
    for (int call = 0; call < 3; ++call) {
      driver.RunDue(0);
    }
    EXPECT_EQ(host.log, log) << script;
  }
}

}  // namespace
}  // namespace platform
