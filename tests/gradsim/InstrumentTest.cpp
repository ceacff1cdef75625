#include "gradsim/InstrumentPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <vector>

namespace gradsim {
namespace {

TEST(InstrumentTest, PbarLinesCarryOneValuePerSensorWithTwoDecimals) {
  EXPECT_EQ(FormatPbarLine(std::vector<double>{1012.434, -3.1}), "$PBAR,1012.43,-3.10\r\n");
  EXPECT_EQ(FormatPbarLine(std::vector<double>{998.0}), "$PBAR,998.00\r\n");
  const std::regex one(R"(\$PBAR,-?\d+\.\d\d\r\n)");
  const std::regex two(R"(\$PBAR,-?\d+\.\d\d,-?\d+\.\d\d\r\n)");
  Random random(3);
  for (const int sensors : {1, 2}) {
    const InstrumentPlayer player(sensors, WalkerSettings{}, 5);
    for (double t = 0.0; t < 120.0; t += 0.1) {
      const std::string line = player.ReadingAt(t, random);
      ASSERT_TRUE(std::regex_match(line, sensors == 1 ? one : two)) << line;
    }
  }
}

TEST(InstrumentTest, ReadingsShowOnTheDisplayScaleAndRepeatWithTheSeed) {
  const GradField field(21);
  const GradField same(21);
  const GradField other(22);
  int differing = 0;
  for (double east = -5.0; east < 120.0; east += 0.5) {
    for (double north = -5.0; north < 120.0; north += 0.5) {
      const double value = field.ValueAt(east, north);
      ASSERT_TRUE(value > 0.0 && value < 2000.0) << value << " at " << east << "," << north;
      ASSERT_EQ(value, same.ValueAt(east, north));
      differing += value != other.ValueAt(east, north);
    }
  }
  EXPECT_GT(differing, 0);
}

TEST(InstrumentTest, DipolesShowAPositiveLobeSouthAndANegativeLobeNorth) {
  const GradField field(8);
  std::vector<Dipole> all;
  for (double east = 6.0; east < 600.0; east += 12.0) {
    for (double north = 6.0; north < 600.0; north += 12.0) {
      for (const Dipole& d : field.DipolesNear(east, north))
        all.push_back(d);
    }
  }
  int checked = 0;
  for (const Dipole& d : all) {
    const bool isolated = std::none_of(all.begin(), all.end(), [&d](const Dipole& other) {
      return &other != &d && std::hypot(other.east - d.east, other.north - d.north) < 12.0;
    });
    if (d.amplitude < 150.0 || !isolated || d.east < 20.0 || d.north < 20.0)
      continue;
    SCOPED_TRACE(std::to_string(d.east) + "," + std::to_string(d.north));
    const double peak = field.ValueAt(d.east, d.north - 0.5 * d.width);
    const double trough = field.ValueAt(d.east, d.north + 0.9 * d.width);
    const double aside = field.ValueAt(d.east + 3.0 * d.width, d.north - 0.5 * d.width);
    EXPECT_GT(peak - trough, 0.6 * d.amplitude);
    EXPECT_GT(peak - aside, 0.4 * d.amplitude);
    ++checked;
  }
  EXPECT_GT(checked, 3);
}

}  // namespace
}  // namespace gradsim
