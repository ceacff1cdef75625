#include "gradsim/InstrumentPlayer.h"

#include <gtest/gtest.h>

#include <vector>

#include "gradsim/PbarLine.h"

namespace gradsim {
namespace {

TEST(InstrumentTest, PbarLinesOnTheDisplayScaleThatRepeatWithTheSeed) {
  EXPECT_EQ(FormatPbarLine(std::vector<double>{1012.434, -3.1}), "$PBAR,1012.43,-3.10\r\n");
  EXPECT_EQ(FormatPbarLine(std::vector<double>{998.0}), "$PBAR,998.00\r\n");
  for (const int sensors : {1, 2}) {
    const WalkerSettings walk;
    const InstrumentPlayer player(sensors, walk, 5), same(sensors, walk, 5),
        other(sensors, walk, 6);
    Random random(3), sameRandom(3), otherRandom(3);
    int differing = 0;
    for (double t = 0.0; t < 1200.0; t += 0.1) {
      const std::string line = player.ReadingAt(t, random);
      // Values on the display scale, 0 to 2000, with two decimals.
      ASSERT_TRUE(line.ends_with("\r\n")) << line;
      const auto values = testing::PbarValues(std::string_view(line).substr(0, line.size() - 2));
      ASSERT_TRUE(values && values->size() == static_cast<std::size_t>(sensors)) << line;
      for (const double value : *values)
        ASSERT_TRUE(value >= 0.0 && value < 2000.0) << line;
      ASSERT_EQ(line, same.ReadingAt(t, sameRandom));
      differing += line != other.ReadingAt(t, otherRandom);
    }
    EXPECT_GT(differing, 0);
  }
}

}  // namespace
}  // namespace gradsim
