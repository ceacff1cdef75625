#include "gradsim/InstrumentPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

namespace gradsim {
namespace {

// "-ddd.dd": digits, a point, two decimals.
bool IsTwoDecimalValue(std::string_view text) {
  if (text.starts_with('-'))
    text.remove_prefix(1);
  const std::size_t point = text.find('.');
  return point != std::string_view::npos && point > 0 && text.size() == point + 3 &&
         text.find_first_not_of("0123456789.") == std::string_view::npos &&
         text.find('.', point + 1) == std::string_view::npos;
}

// How many values a well-formed "$PBAR,v1[,v2]" CR LF line holds; 0 for anything else.
std::size_t PbarValueCount(std::string_view line) {
  if (!line.starts_with("$PBAR,") || !line.ends_with("\r\n"))
    return 0;
  std::string_view values = line.substr(6, line.size() - 8);
  std::size_t count = 0;
  for (;;) {
    const std::size_t comma = values.find(',');
    if (!IsTwoDecimalValue(values.substr(0, comma)))
      return 0;
    ++count;
    if (comma == std::string_view::npos)
      return count;
    values.remove_prefix(comma + 1);
  }
}

TEST(InstrumentTest, PbarLinesCarryOneOrTwoValues) {
  const std::vector<double> two{1012.434, -3.1};
  EXPECT_EQ(FormatPbarLine(two), "$PBAR,1012.43,-3.10\r\n");
  const std::vector<double> one{998.0};
  EXPECT_EQ(FormatPbarLine(one), "$PBAR,998.00\r\n");
  EXPECT_EQ(PbarValueCount("$PBAR,998.0\r\n"), 0u);
  EXPECT_EQ(PbarValueCount("$PBAR,1.00,2.00\n"), 0u);

  const WalkerSettings walk;
  Random random(3);
  for (const int sensors : {1, 2}) {
    SCOPED_TRACE(sensors);
    const InstrumentPlayer player(sensors, walk, 5);
    for (double t = 0.0; t < 120.0; t += 0.1) {
      const std::string line = player.ReadingAt(t, random);
      ASSERT_EQ(PbarValueCount(line), static_cast<std::size_t>(sensors)) << line;
      // The logger's shortest accepted line is 7 (one sensor) or 9 bytes up to the CR.
      ASSERT_GE(line.size() - 1, sensors == 1 ? 7u : 9u);
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
      ASSERT_GT(value, 0.0) << east << "," << north;
      ASSERT_LT(value, 2000.0) << east << "," << north;
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

TEST(InstrumentTest, NoiseIsAFewUnitsAndTheChannelsDiffer) {
  const WalkerSettings walk;
  const InstrumentPlayer player(2, walk, 9);
  Random random(1);
  double sumSquares = 0.0;
  int count = 0;
  int channelsEqual = 0;
  for (int i = 0; i < 400; ++i) {
    const std::string a = player.ReadingAt(7.0, random);
    const std::string b = player.ReadingAt(7.0, random);
    const double a1 = std::stod(a.substr(6));
    const double b1 = std::stod(b.substr(6));
    const double a2 = std::stod(a.substr(a.rfind(',') + 1));
    sumSquares += (a1 - b1) * (a1 - b1);
    ++count;
    channelsEqual += a1 == a2;
  }
  const double sigma = std::sqrt(sumSquares / count / 2.0);
  EXPECT_GT(sigma, 0.5);
  EXPECT_LT(sigma, 5.0);
  EXPECT_EQ(channelsEqual, 0);
}

}  // namespace
}  // namespace gradsim
