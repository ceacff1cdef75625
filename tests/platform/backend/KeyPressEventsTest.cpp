#include <gtest/gtest.h>

#include "EventText.h"
#include "platform/backend/Script.h"
#include "platform/backend/VirtualKeys.h"

namespace platform {
namespace {

using namespace eventtext;

std::vector<std::string> PressOf(std::string_view name) {
  const auto events = KeyPressEvents(name);
  return events ? Describe(*events) : std::vector<std::string>{"unknown"};
}

TEST(KeyPressEvents, LettersPressTheirUpperCaseKeyAndTypeLowerCase) {
  for (char i = 0; i < 26; ++i) {
    const std::uint32_t vk = 'A' + i;
    const char32_t typed = U'a' + i;
    const std::vector<std::string> expected{Down(vk), Char(typed), Up(vk)};
    EXPECT_EQ(PressOf(std::string(1, static_cast<char>('a' + i))), expected);
    EXPECT_EQ(PressOf(std::string(1, static_cast<char>('A' + i))), expected);
  }
}

TEST(KeyPressEvents, DigitsTypeThemselves) {
  for (char i = 0; i < 10; ++i) {
    const std::uint32_t vk = '0' + i;
    EXPECT_EQ(PressOf(std::string(1, static_cast<char>('0' + i))),
              (std::vector<std::string>{Down(vk), Char(U'0' + i), Up(vk)}));
  }
}

struct NamedKeyCase {
  std::string_view name;
  std::uint32_t virtualKey;
  char32_t typed;  // 0: none
};

const NamedKeyCase NAMED[] = {
    {"Enter", VK_RETURN, 0x0D}, {"Tab", VK_TAB, 0x09},        {"Escape", VK_ESCAPE, 0x1B},
    {"Space", VK_SPACE, U' '},  {"Backspace", VK_BACK, 0x08}, {"Up", VK_UP, 0},
    {"Down", VK_DOWN, 0},       {"Left", VK_LEFT, 0},         {"Right", VK_RIGHT, 0},
};

TEST(KeyPressEvents, NamedKeysTypeTheirControlCharacterOrNothing) {
  for (const NamedKeyCase& c : NAMED) {
    SCOPED_TRACE(::testing::Message() << "key: " << c.name);
    std::vector<std::string> expected{Down(c.virtualKey)};
    if (c.typed != 0) {
      expected.push_back(Char(c.typed));
    }
    expected.push_back(Up(c.virtualKey));
    EXPECT_EQ(PressOf(c.name), expected);
  }
}

TEST(KeyPressEvents, FunctionKeysTypeNothing) {
  for (int n = 1; n <= 12; ++n) {
    const std::uint32_t vk = VK_F1 + static_cast<std::uint32_t>(n - 1);
    EXPECT_EQ(PressOf("F" + std::to_string(n)), (std::vector<std::string>{Down(vk), Up(vk)}))
        << "F" << n;
  }
}

TEST(KeyPressEvents, NamesIgnoreCase) {
  EXPECT_EQ(PressOf("ENTER"), PressOf("Enter"));
  EXPECT_EQ(PressOf("bAcKsPaCe"), PressOf("Backspace"));
  EXPECT_EQ(PressOf("f5"), PressOf("F5"));
  EXPECT_EQ(PressOf("escape"), PressOf("Escape"));
}

TEST(KeyPressEvents, UnknownNamesGiveNothing) {
  for (std::string_view name : {"", "Ctrl", "Shift", "F0", "F01", "F13", "F1x", "Enter ", " a", "!",
                                "ab", "\xc3\xa9", "Return", "Esc"}) {
    EXPECT_FALSE(KeyPressEvents(name).has_value()) << "name: \"" << name << "\"";
  }
}

TEST(TypeEvents, PressesShiftForCapitalsAndKeysForLettersDigitsAndPunctuation) {
  const std::vector<std::string> expected{
      Down(VK_SHIFT, true), Down('A', true), Char(U'A', true),    Up('A', true),
      Up(VK_SHIFT),         Down('B'),       Char(U'b'),          Up('B'),
      Down(VK_SPACE),       Char(U' '),      Up(VK_SPACE),        Down('1'),
      Char(U'1'),           Up('1'),         Down(VK_OEM_PERIOD), Char(U'.'),
      Up(VK_OEM_PERIOD),
  };
  EXPECT_EQ(Describe(TypeEvents("Ab 1.")), expected);
}

TEST(TypeEvents, PunctuationWithItsOwnKeyUsesIt) {
  const std::pair<char, std::uint32_t> keys[] = {{';', VK_OEM_1},      {'=', VK_OEM_PLUS},
                                                 {',', VK_OEM_COMMA},  {'-', VK_OEM_MINUS},
                                                 {'.', VK_OEM_PERIOD}, {'/', VK_OEM_2}};
  for (const auto& [character, vk] : keys) {
    EXPECT_EQ(Describe(TypeEvents(std::string(1, character))),
              (std::vector<std::string>{Down(vk), Char(static_cast<char32_t>(character)), Up(vk)}))
        << "character: " << character;
  }
}

TEST(TypeEvents, OtherCharactersAreCharEventsAlone) {
  EXPECT_EQ(Describe(TypeEvents("!")), (std::vector<std::string>{Char(U'!')}));
  EXPECT_EQ(Describe(TypeEvents("+_")), (std::vector<std::string>{Char(U'+'), Char(U'_')}));
  EXPECT_EQ(Describe(TypeEvents("\t")), (std::vector<std::string>{Char(U'\t')}));
  // "é" and "€" in UTF-8.
  EXPECT_EQ(Describe(TypeEvents("\xc3\xa9")), (std::vector<std::string>{Char(0xE9)}));
  EXPECT_EQ(Describe(TypeEvents("\xe2\x82\xac")), (std::vector<std::string>{Char(0x20AC)}));
}

TEST(TypeEvents, BrokenUtf8BecomesReplacementCharacters) {
  // A lead byte cut off by the end of the text.
  EXPECT_EQ(Describe(TypeEvents("x\xc3")),
            (std::vector<std::string>{Down('X'), Char(U'x'), Up('X'), Char(0xFFFD)}));
  // A stray continuation byte, then text that still decodes.
  EXPECT_EQ(Describe(TypeEvents("\x80\xc3\xa9")),
            (std::vector<std::string>{Char(0xFFFD), Char(0xE9)}));
  // A four-byte lead at the very end.
  EXPECT_EQ(Describe(TypeEvents("\xf0")), (std::vector<std::string>{Char(0xFFFD)}));
}

TEST(TypeEvents, EmptyTextTypesNothing) {
  EXPECT_TRUE(TypeEvents("").empty());
}

}  // namespace
}  // namespace platform
