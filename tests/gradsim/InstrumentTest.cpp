#include "gradsim/InstrumentPlayer.h"

#include <gtest/gtest.h>

#include <regex>
#include <vector>

namespace gradsim {
namespace {

TEST(InstrumentTest, PbarLinesOnTheDisplayScaleThatRepeatWithTheSeed) {
  EXPECT_EQ(FormatPbarLine(std::vector<double>{1012.434, -3.1}), "$PBAR,1012.43,-3.10\r\n");
  EXPECT_EQ(FormatPbarLine(std::vector<double>{998.0}), "$PBAR,998.00\r\n");
  for (const int sensors : {1, 2}) {
    // Values on the display scale, 0 to 2000, with two decimals.
    const std::regex format(R"(\$PBAR(,1?\d{1,3}\.\d\d){)" + std::to_string(sensors) + "}\r\n");
    const WalkerSettings walk;
    const InstrumentPlayer player(sensors, walk, 5), same(sensors, walk, 5),
        other(sensors, walk, 6);
    Random random(3), sameRandom(3), otherRandom(3);
    int differing = 0;
    for (double t = 0.0; t < 1200.0; t += 0.1) {
      const std::string line = player.ReadingAt(t, random);
      ASSERT_TRUE(std::regex_match(line, format)) << line;
      ASSERT_EQ(line, same.ReadingAt(t, sameRandom));
      differing += line != other.ReadingAt(t, otherRandom);
    }
    EXPECT_GT(differing, 0);
  }
}

}  // namespace
}  // namespace gradsim
