#include "config/SettingsText.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace gradlog {
namespace {

TEST(SettingsText, LinesDropTheCrBeforeTheLfAndAreCutToTheLimit) {
  // Bytes, longest line, what successive calls return.
  const std::vector<std::tuple<std::string, std::size_t, std::vector<std::string>>> cases{
      {"\nVer1.34\r\n12\r\n\r\n", 64, {"", "Ver1.34", "12", "", ""}},
      {"1.5\n2\r\r\nx\ry\r\n", 64, {"1.5", "2\r", "x\ry"}},  // only CR before LF is dropped
      {"first\r\n4.000000", 64, {"first", "4.000000", ""}},  // a last line needs no line end
      {"first\r\nlast\r", 64, {"first", "last\r", ""}},
      {"Ver1.34\r1\r2\r", 64, {"Ver1.34\r1\r2\r", ""}},  // CR-only line ends: one line
      {"", 64, {"", ""}},
      {"ABCDEFGHIJ\r\nKL\r\n", 4, {"ABCD", "KL"}},
      {"ABCD\r\nEF\r\n", 4, {"ABCD", "EF"}},  // a CR beyond the limit takes nothing kept
      {"ABC\r\nD", 4, {"ABC", "D"}},
      {"ABCDEFGH", 4, {"ABCD", ""}},
      {"ABC\r\n", 0, {"", ""}}};
  for (const auto& [bytes, maxLength, expectedLines] : cases) {
    SCOPED_TRACE("bytes '" + bytes + "' limit " + std::to_string(maxLength));
    std::string_view rest = bytes;
    for (const std::string& expected : expectedLines)
      EXPECT_EQ(NextSettingsLine(rest, maxLength), expected);
  }
}

}  // namespace
}  // namespace gradlog
