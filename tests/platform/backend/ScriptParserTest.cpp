#include <gtest/gtest.h>

#include "platform/backend/Script.h"

namespace platform {
namespace {

using Kind = ScriptCommandKind;

struct ValidCase {
  std::string_view input;
  Kind kind;
  std::uint32_t milliseconds = 0;
  std::string text{};
  Point point{};
};

// Each input is one command on line 1.
const ValidCase VALID[] = {
    {"wait 100", Kind::Wait, 100},
    {"wait 0", Kind::Wait, 0},
    {"wait 2147483647", Kind::Wait, 2147483647},
    {"  \twait 7 \t ", Kind::Wait, 7},
    {"wait\t12", Kind::Wait, 12},
    {"wait   12", Kind::Wait, 12},
    {"wait 007", Kind::Wait, 7},
    {"key a", Kind::Key, 0, "a"},
    {"key F12", Kind::Key, 0, "F12"},
    {"key   eNtEr  ", Kind::Key, 0, "eNtEr"},
    {"type hello world", Kind::Type, 0, "hello world"},
    {"type  leading space", Kind::Type, 0, " leading space"},
    {"type a # not a comment", Kind::Type, 0, "a # not a comment"},
    {"type #1", Kind::Type, 0, "#1"},
    {"type trailing   \r", Kind::Type, 0, "trailing"},
    {"click 10 20", Kind::Click, 0, "", {10, 20}},
    {"click 0 0", Kind::Click, 0, "", {0, 0}},
    {"click  319\t239 ", Kind::Click, 0, "", {319, 239}},
    {"click 2147483647 1", Kind::Click, 0, "", {2147483647, 1}},
    {"screenshot out/first shot.png", Kind::Screenshot, 0, "out/first shot.png"},
    {"screenshot   a.png", Kind::Screenshot, 0, "a.png"},
    {"expect Logging stopped", Kind::Expect, 0, "Logging stopped"},
    {"expect 100% #2", Kind::Expect, 0, "100% #2"},
    {"quit", Kind::Quit},
    {"quit   ", Kind::Quit},
};

TEST(ScriptParser, ParsesEachCommand) {
  for (const ValidCase& c : VALID) {
    SCOPED_TRACE(::testing::Message() << "input: \"" << c.input << "\"");
    const ScriptParseResult result = ParseScript(c.input);
    EXPECT_EQ(result.error, "");
    ASSERT_EQ(result.commands.size(), 1u);
    const ScriptCommand& command = result.commands[0];
    EXPECT_EQ(command.kind, c.kind);
    EXPECT_EQ(command.lineNumber, 1);
    EXPECT_EQ(command.milliseconds, c.milliseconds);
    EXPECT_EQ(command.text, c.text);
    EXPECT_EQ(command.point, c.point);
  }
}

struct InvalidCase {
  std::string_view input;
  std::string error;
  std::size_t commandsBefore = 0;
};

const InvalidCase INVALID[] = {
    {"jump 1", "line 1: unknown command \"jump\""},
    {"Wait 1", "line 1: unknown command \"Wait\""},
    {"waitx 1", "line 1: unknown command \"waitx\""},
    {"wait", "line 1: wait: missing number"},
    {"wait -5", "line 1: wait: negative number \"-5\""},
    {"wait abc", "line 1: wait: not a number: \"abc\""},
    {"wait 12ms", "line 1: wait: not a number: \"12ms\""},
    {"wait +5", "line 1: wait: not a number: \"+5\""},
    {"wait 1.5", "line 1: wait: not a number: \"1.5\""},
    {"wait 2147483648", "line 1: wait: number too large: \"2147483648\" (at most 2147483647)"},
    {"wait 4294967296", "line 1: wait: number too large: \"4294967296\" (at most 2147483647)"},
    {"wait 99999999999999999999999",
     "line 1: wait: number too large: \"99999999999999999999999\" (at most 2147483647)"},
    {"wait 10 20", "line 1: wait: unexpected \"20\" after the number"},
    {"wait 100 # pause", "line 1: wait: unexpected \"# pause\" after the number"},
    {"key", "line 1: key: missing key name"},
    {"key Ctrl", "line 1: key: unknown key name \"Ctrl\""},
    {"key F13", "line 1: key: unknown key name \"F13\""},
    {"key a b", "line 1: key: unknown key name \"a b\""},
    {"type", "line 1: type: missing text"},
    {"type   ", "line 1: type: missing text"},
    {"click", "line 1: click: expected two numbers X Y"},
    {"click 1", "line 1: click: expected two numbers X Y"},
    {"click 1 2 3", "line 1: click: expected two numbers X Y"},
    {"click -1 5", "line 1: click: negative number \"-1\""},
    {"click 1 y", "line 1: click: not a number: \"y\""},
    {"click 2147483648 1", "line 1: click: number too large: \"2147483648\" (at most 2147483647)"},
    {"screenshot", "line 1: screenshot: missing path"},
    {"expect", "line 1: expect: missing text"},
    {"quit now", "line 1: quit: unexpected argument \"now\""},
    // Line numbers count every line, blank and comment lines too.
    {"wait 1\nkey A\n\n# note\nbogus", "line 5: unknown command \"bogus\"", 2},
    {"wait 1\r\n\r\nwait x\r\nquit", "line 3: wait: not a number: \"x\"", 1},
};

TEST(ScriptParser, ReportsTheFirstErrorWithItsLineAndKeepsTheCommandsBefore) {
  for (const InvalidCase& c : INVALID) {
    SCOPED_TRACE(::testing::Message() << "input: \"" << c.input << "\"");
    const ScriptParseResult result = ParseScript(c.input);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(result.commands.size(), c.commandsBefore);
  }
}

TEST(ScriptParser, SkipsBlankAndCommentLinesAndNumbersTheRest) {
  const ScriptParseResult result = ParseScript(
      "# demo\r\n"
      "\r\n"
      "wait 5\r\n"
      "   # indented comment\r\n"
      "\t\r\n"
      "type x\r\n"
      "quit");
  ASSERT_EQ(result.error, "");
  ASSERT_EQ(result.commands.size(), 3u);
  EXPECT_EQ(result.commands[0].kind, Kind::Wait);
  EXPECT_EQ(result.commands[0].lineNumber, 3);
  EXPECT_EQ(result.commands[1].kind, Kind::Type);
  EXPECT_EQ(result.commands[1].text, "x");
  EXPECT_EQ(result.commands[1].lineNumber, 6);
  EXPECT_EQ(result.commands[2].kind, Kind::Quit);
  EXPECT_EQ(result.commands[2].lineNumber, 7);
}

TEST(ScriptParser, EmptyOrCommentOnlyScriptHasNoCommands) {
  for (std::string_view input : {"", "\n\n", "# only a comment\n", "  \r\n# x"}) {
    SCOPED_TRACE(::testing::Message() << "input: \"" << input << "\"");
    const ScriptParseResult result = ParseScript(input);
    EXPECT_EQ(result.error, "");
    EXPECT_TRUE(result.commands.empty());
  }
}

TEST(ScriptParser, KeepsBytesThatAreNotTextInTypedText) {
  const std::string input("type a\0b\xff", 9);
  const ScriptParseResult result = ParseScript(input);
  ASSERT_EQ(result.error, "");
  ASSERT_EQ(result.commands.size(), 1u);
  EXPECT_EQ(result.commands[0].text, std::string("a\0b\xff", 4));
}

}  // namespace
}  // namespace platform
