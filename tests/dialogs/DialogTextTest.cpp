#include "dialogs/DialogText.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace gradlog {
namespace {

TEST(DialogText, EditsReadAsDecimalTextAndAnythingElseAsZero) {
  // Of the last text only the first 31 characters, all zeros, are read.
  const std::pair<std::string, double> cases[] = {
      {"  -3", -3.0}, {"1e3", 1000.0}, {"7 m", 7.0},
      {"", 0.0},      {"0x10", 0.0},   {"inf", 0.0},
      {"nan", 0.0},   {"1e999", 0.0},  {std::string(31, '0') + "7", 0.0}};

  for (const auto& [text, value] : cases)
    EXPECT_EQ(ReadNumber(text), value) << '"' << text << '"';
  EXPECT_EQ(ReadFloat("-1e300"), -std::numeric_limits<float>::max());
  EXPECT_EQ(ReadInteger("99999999999"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(FormatFixed(1999.6, 0), "2000");
  EXPECT_EQ(FormatFixed(1e300, 3).size(), 301u + 4u);
}

}  // namespace
}  // namespace gradlog
