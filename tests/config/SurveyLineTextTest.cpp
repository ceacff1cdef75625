#include "config/SurveyLineText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gradlog {
namespace {

struct SurveyLineCase {
  const char* what;
  std::string input;
  std::string expected;
};

// Shows bytes as hex so that a split character is visible in a failure.
std::string Hex(const std::string& bytes) {
  static constexpr char DIGITS[] = "0123456789ABCDEF";
  std::string shown;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    shown += DIGITS[byte >> 4];
    shown += DIGITS[byte & 0xF];
    shown += ' ';
  }
  return shown;
}

const std::string TEN = "ABCDEFGHIJ";
const std::string FFFD = "\xEF\xBF\xBD";

TEST(SurveyLineText, KeepsElevenWholeCharacters) {
  const std::vector<SurveyLineCase> cases{
      {"short", "L12", "L12"},
      {"ASCII beyond eleven", TEN + "KLM", TEN + "K"},
      {"2-byte character eleventh", TEN + "é" + "X", TEN + "é"},
      {"2-byte character twelfth", TEN + "K" + "é", TEN + "K"},
      {"only 2-byte characters", "ßßßßßßßßßßßßß", "ßßßßßßßßßßß"},
      {"3-byte character eleventh", TEN + "€€", TEN + "€"},
      {"3-byte character across byte 11", "ABCDEFGHI€€", "ABCDEFGHI€€"},
      {"only 3-byte characters", "€€€€€€€€€€€€", "€€€€€€€€€€€"},
      {"4-byte character eleventh", TEN + "𝄞" + "X", TEN + "𝄞"},
      {"only 4-byte characters", "𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞", "𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞"},
      {"a real U+FFFD", "a" + FFFD + "b", "a" + FFFD + "b"},
      {"CR LF ends the line", "L1\r\nX", "L1"},
      {"LF ends the line", "\nX", ""},
      {"zero byte ends the line", std::string("L\0X", 3), "L"},
      {"empty", "", ""},
  };
  for (const SurveyLineCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Hex(SurveyLineText(c.input)), Hex(c.expected));
  }
}

// Each byte that starts no valid character becomes one U+FFFD and counts as one character.
TEST(SurveyLineText, MalformedBytesBecomeWholeReplacementCharacters) {
  const std::vector<SurveyLineCase> cases{
      {"lone continuation byte",
       "\x80"
       "AB",
       FFFD + "AB"},
      {"lead byte without its continuation",
       "A\xC3"
       "B",
       "A" + FFFD + "B"},
      {"3-byte character cut at the end", "AB\xE2\x82", "AB" + FFFD + FFFD},
      {"4-byte character cut at the end", TEN + "\xF0\x9D\x84", TEN + FFFD},
      {"overlong slash", "\xC0\xAF", FFFD + FFFD},
      {"surrogate", "\xED\xA0\x80", FFFD + FFFD + FFFD},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", FFFD + FFFD + FFFD + FFFD},
      {"bytes never in UTF-8", std::string(12, '\xFF'),
       [] {
         std::string eleven;
         for (int i = 0; i < 11; ++i)
           eleven += FFFD;
         return eleven;
       }()},
  };
  for (const SurveyLineCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Hex(SurveyLineText(c.input)), Hex(c.expected));
  }
}

}  // namespace
}  // namespace gradlog
