#include "serial/GradLineFramer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using gradlog::GradLineFramer;
using namespace std::string_literals;

std::vector<std::string> Frame(std::int32_t minimumLength, const std::string& stream) {
  GradLineFramer framer(minimumLength);
  std::vector<std::string> lines;
  for (char byte : stream) {
    if (const auto line = framer.Feed(byte, 0))
      lines.emplace_back(*line);
  }
  return lines;
}

TEST(GradLineFramer, AcceptsOnlyWellFramedReadingLines) {
  struct Case {
    const char* what;
    std::int32_t minimumLength;
    std::string stream;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases{
      {"two sensors", 9, "$PBAR,12.5,-3.1\r\n", {"$PBAR,12.5,-3.1"}},
      {"one sensor, 8 bytes", 7, "$PBAR,1\r\n", {"$PBAR,1"}},
      {"one sensor, 6 bytes", 7, "$PBAR\r\n", {}},
      {"two sensors, 8 bytes", 9, "$PBAR,1\r\n", {}},
      {"two sensors, 9 bytes", 9, "$PBAR,12\r\n", {"$PBAR,12"}},
      {"LF without CR", 9, "$PBAR,1,2\n", {}},
      {"wrong tag", 9, "$GPGGA,123519,4807.038,N*47\r\n", {}},
      {"stray bytes first", 9, "x\r\n\x01\xff$PBAR,1,2\r\n", {"$PBAR,1,2"}},
      {"'$' restarts", 9, "$PB$PBAR,1,2\r\n", {"$PBAR,1,2"}},
      {"second LF", 9, "$PBAR,1,2\r\n\n", {"$PBAR,1,2"}},
      {"no '$' after a line", 9, "$PBAR,1,2\r\nPBAR,3,4\r\n", {"$PBAR,1,2"}},
      {"rejected line then a good one", 9, "$PBAR\r\n$PBAR,3,4\r\n", {"$PBAR,3,4"}},
      {"a line after an overflow needs its own '$'",
       9,
       "$" + std::string(300, 'x') + "PBAR,1,2\r\n$PBAR,5,6\r\n",
       {"$PBAR,5,6"}},
      {"NUL inside the values", 9, "$PBAR,12\0.5,-3.1\r\n"s, {}},
      {"NUL just before the CR", 9, "$PBAR,12.5,-3.1\0\r\n"s, {}},
      {"NUL in the tag", 9, "$PB\0AR,1,2\r\n"s, {}},
      {"NUL-cut line then a good one", 9, "$PBAR,1\0,2\r\n$PBAR,3,4\r\n"s, {"$PBAR,3,4"}},
      {"NUL between lines is noise", 9, "\0\0$PBAR,1,2\r\n"s, {"$PBAR,1,2"}},
      {"longest line that fits the buffer",
       9,
       "$PBAR," + std::string(173, '9') + "\r\n",
       {"$PBAR," + std::string(173, '9')}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Frame(c.minimumLength, c.stream), c.lines) << c.what;
}

TEST(GradLineFramer, ReportsTheTickOfTheLinesDollar) {
  GradLineFramer framer(9);
  const std::string stream = "$PB$PBAR,1,2\r\n";
  bool done = false;
  for (std::uint32_t i = 0; i < stream.size(); ++i)
    done = framer.Feed(stream[i], 1000 + i).has_value();
  ASSERT_TRUE(done);
  EXPECT_EQ(framer.LineStartTick(), 1003u);
}

}  // namespace
