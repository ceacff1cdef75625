#include "display/DisplayScales.h"
#include "display/SpeedBar.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace gradlog {
namespace {

constexpr float INF = std::numeric_limits<float>::infinity();
constexpr float NAN_VALUE = std::numeric_limits<float>::quiet_NaN();

std::vector<std::int32_t> RowsOf(const GridRows& rows) {
  return {rows.rows.begin(), rows.rows.begin() + rows.count};
}

TEST(DisplayScalesTest, GridRowsAndBarBase) {
  // Height, range, pixels per unit (0: height / (max - min)), rows and bar base.
  const std::vector<std::tuple<int, float, float, float, std::vector<std::int32_t>, int>> cases{
      // One-sided ranges: four equal rows, bars from the bottom or (max <= 0) the top.
      {215, 0.0f, 2000.0f, 0.0f, {171, 128, 85, 42}, 1},
      {215, -300.0f, 0.0f, 0.0f, {171, 128, 85, 42}, -1},
      // Around zero: the zero row, the rows above it, then the rows below it.
      {215, -100.0f, 100.0f, 0.0f, {107, 80, 53, 26, 134, 161, 188}, 0},
      {215, -500.0f, 1500.0f, 0.0f, {161, 107, 53}, 0},
      // Ratio above 4: the step is a fifth of the larger side (z = 10, s = 380).
      {215, -1900.0f, 100.0f, 0.0f, {10, 51, 92, 133, 174}, 0},
      // At most nine rows; a row that would repeat its neighbour ends the list.
      {10000, -1000.0f, 1000.0f, 1.0f, {1000, 800, 600, 400, 200, 1200, 1400, 1600, 1800}, 0},
      {4, -1.0f, 1.0f, 2.0f, {2, 1}, 0},
      // Zero row on the top or bottom edge, or beyond it: the equal rows after it.
      {215, -1.0e6f, 1.0f, 215.0f / 1.000001e6f, {0, 171, 128, 85, 42}, 0},
      {215, -1.0f, 100.0f, 2.15f, {215, 171, 128, 85, 42}, 0},
      {80, -1.0f, 100.0f, 4.0f, {80, 63, 47, 31, 15}, 0}};
  for (const auto& [height, min, max, given, expected, barBase] : cases) {
    SCOPED_TRACE(::testing::Message() << "height " << height << " range " << min << ".." << max);
    GridRows rows;
    std::int32_t mode = 99;
    const float p = given != 0.0f ? given : static_cast<float>(height) / (max - min);
    ComputeGridRows(rows, height, min, max, p, mode);
    EXPECT_EQ(RowsOf(rows), expected);
    EXPECT_EQ(mode, barBase);
  }
}

// An empty or non-finite range (hand-edited file) makes the scale infinite or not a number.
TEST(DisplayScalesTest, NonFiniteScalesGiveBoundedGrids) {
  const std::vector<std::pair<float, float>> ranges{
      {-100.0f, 100.0f}, {500.0f, 500.0f}, {-INF, INF}, {NAN_VALUE, 5.0f}, {-5.0f, NAN_VALUE}};
  for (const float p : {INF, -INF, NAN_VALUE, 1.0e30f, -1.0e30f, 0.0f}) {
    for (const auto& [min, max] : ranges) {
      SCOPED_TRACE(::testing::Message() << "p " << p << " range " << min << ".." << max);
      GridRows rows;
      std::int32_t mode = 99;
      ComputeGridRows(rows, 215, min, max, p, mode);
      ASSERT_GE(rows.count, 1);
      ASSERT_LE(rows.count, 9);
      for (const std::int32_t row : RowsOf(rows))
        EXPECT_TRUE(row >= 0 && row <= 215) << row;
      EXPECT_TRUE(mode >= -1 && mode <= 1) << mode;
    }
  }
}

// Marker size step and margin step from a hand-edited file, and the marker and margins drawn.
TEST(DisplayScalesTest, MapMarkerAndMarginsFollowTheMapOptions) {
  constexpr std::int32_t MAX = std::numeric_limits<std::int32_t>::max();
  const std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                   std::int32_t>
      cases[] = {
          {7, 1, 19, 9, 32, 52},
          {2, 1, 11, 5, 32, 52},
          {std::numeric_limits<std::int32_t>::min(), 1, 7, 3, 32, 52},  // the smallest marker
          {1, 4, 9, 4, 64, 84},                                         // 30 % of 215 = 64.5
          {1, MAX, 9, 4, MAX, MAX},
      };
  for (const auto& [size, step, diameter, half, margin, outer] : cases) {
    SCOPED_TRACE("size " + std::to_string(size) + " step " + std::to_string(step));
    SurveySettings settings;
    settings.mapCurrentMarkerSize = size;
    settings.mapMarginStep = step;
    DisplayState display;
    ApplyDisplaySettings(display, settings);
    EXPECT_EQ(display.map.markerDiameter, diameter);
    EXPECT_EQ(display.map.markerHalf, half);
    EXPECT_EQ(display.map.marginPx, margin);
    EXPECT_EQ(display.map.marginOuterPx, outer);
  }
}

TEST(SpeedBarTest, LengthStaysInsideTheBarWhateverTheScale) {
  // speedMax, speed, pixels per unit, curve width, white length.
  const std::vector<std::tuple<float, float, float, int, int>> cases{
      {10.0f, 2.5f, 21.4f, 214, 160},  // (10 - 2.5) x 21.4 = 160.5, truncated
      {10.0f, 0.0f, 21.4f, 214, 214},  // standing still: all white
      {10.0f, 12.0f, 21.4f, 214, 0},   // faster than the scale: all blue
      {10.0f, 2.5f, 1e30f, 214, 214},  // an enormous length is cut to the bar
      {10.0f, 2.5f, INF, 214, 214},    // equal limits (max = min): infinite scale
      {10.0f, 12.0f, INF, 214, 0},     // ... and faster than it
      {10.0f, 10.0f, INF, 214, 214},   // 0 x infinity is NaN: the bar stays empty
      {10.0f, NAN_VALUE, 21.4f, 214, 214},
      {10.0f, 2.5f, 21.4f, -5, 0},  // a broken width draws nothing
  };
  for (const auto& [speedMax, speed, pixelsPerUnit, width, expected] : cases) {
    SCOPED_TRACE(::testing::Message() << speedMax << " " << speed << " " << pixelsPerUnit);
    EXPECT_EQ(SpeedBarWhiteLength(speedMax, speed, pixelsPerUnit, width), expected);
  }
}

}  // namespace
}  // namespace gradlog
