#include "dialogs/DialogText.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace gradlog {
namespace {

TEST(DialogText, EditsReadAsDecimalTextAndAnythingElseAsZero) {
  const std::pair<std::string, double> cases[] = {
      {"  -3", -3.0}, {"1e3", 1000.0},
      {"7 m", 7.0},   {"", 0.0},
      {"abc", 0.0},   {"0x10", 0.0},  // no hexadecimal, infinity or NaN
      {"inf", 0.0},   {"nan", 0.0},
      {"1e999", 0.0}, {std::string(31, '0') + "7", 0.0},  // the 32nd character is not read
  };
  for (const auto& [text, value] : cases)
    EXPECT_EQ(ReadNumber(text), value) << '"' << text << '"';
  EXPECT_EQ(ReadNumber(std::string(31, '0') + "7", 32), 7.0);
  EXPECT_EQ(ReadFloat("-1e300"), -std::numeric_limits<float>::max());
  EXPECT_EQ(ReadInteger("100.7"), 100);
  EXPECT_EQ(ReadInteger("99999999999"), std::numeric_limits<std::int32_t>::max());
}

TEST(DialogText, NumbersAreWrittenWholeWithTheirPlaces) {
  EXPECT_EQ(FormatFixed(100 * 0.05, 2), "5.00");
  EXPECT_EQ(FormatFixed(-0.5, 3), "-0.500");
  EXPECT_EQ(FormatFixed(1999.6, 0), "2000");
  EXPECT_EQ(FormatFixed(1e300, 3).size(), 301u + 4u);
}

}  // namespace
}  // namespace gradlog
