#include "display/DisplayScales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace gradlog {
namespace {

constexpr float INF = std::numeric_limits<float>::infinity();
constexpr float NAN_VALUE = std::numeric_limits<float>::quiet_NaN();

std::vector<std::int32_t> RowsOf(const GridRows& rows) {
  return {rows.rows.begin(), rows.rows.begin() + rows.count};
}

struct Grid {
  std::vector<std::int32_t> rows;
  std::int32_t barBaseMode;
};

Grid Compute(int height, float min, float max) {
  GridRows rows;
  std::int32_t mode = 99;
  ComputeGridRows(rows, height, min, max, static_cast<float>(height) / (max - min), mode);
  return {RowsOf(rows), mode};
}

TEST(DisplayScalesTest, OneSidedRangeHasFourEqualRows) {
  EXPECT_EQ(Compute(215, 0.0f, 2000.0f).rows, (std::vector<std::int32_t>{171, 128, 85, 42}));
  EXPECT_EQ(Compute(80, 0.0f, 2000.0f).rows, (std::vector<std::int32_t>{63, 47, 31, 15}));
  EXPECT_EQ(Compute(215, 0.0f, 2000.0f).barBaseMode, 1);
  EXPECT_EQ(Compute(215, -300.0f, -100.0f).rows, (std::vector<std::int32_t>{171, 128, 85, 42}));
  EXPECT_EQ(Compute(215, -300.0f, -100.0f).barBaseMode, -1);
  EXPECT_EQ(Compute(215, -300.0f, 0.0f).barBaseMode, -1);  // a maximum of 0 does not straddle
}

TEST(DisplayScalesTest, RangeAroundZeroStartsWithTheZeroRow) {
  const Grid symmetric = Compute(215, -100.0f, 100.0f);
  EXPECT_EQ(symmetric.rows, (std::vector<std::int32_t>{107, 80, 53, 26, 134, 161, 188}));
  EXPECT_EQ(symmetric.barBaseMode, 0);

  const Grid mostlyPositive = Compute(215, -500.0f, 1500.0f);
  EXPECT_EQ(mostlyPositive.rows, (std::vector<std::int32_t>{161, 107, 53}));
  EXPECT_EQ(mostlyPositive.barBaseMode, 0);

  // Zero near the top: the ratio exceeds 4, so the step is a fifth of the larger side.
  // p = 0.1075, z = 10, r = 20, s = 380: rows below at 390, 770, ... units from the maximum.
  const Grid mostlyNegative = Compute(215, -1900.0f, 100.0f);
  EXPECT_EQ(mostlyNegative.rows, (std::vector<std::int32_t>{10, 51, 92, 133, 174}));
}

TEST(DisplayScalesTest, RowsStopAtNineOrWhenTheyCannotMove) {
  // A window far taller than the range: z = 1000, r = 9, s = 200; the rows below zero would
  // go on to 9800 but storing stops at nine.
  GridRows rows;
  std::int32_t mode = 99;
  ComputeGridRows(rows, 10000, -1000.0f, 1000.0f, 1.0f, mode);
  EXPECT_EQ(RowsOf(rows),
            (std::vector<std::int32_t>{1000, 800, 600, 400, 200, 1200, 1400, 1600, 1800}));
  // H = 4, z = 2, s = 0.25: the second row above would repeat row 1 and the first row below
  // would repeat the zero row.
  ComputeGridRows(rows, 4, -1.0f, 1.0f, 2.0f, mode);
  EXPECT_EQ(RowsOf(rows), (std::vector<std::int32_t>{2, 1}));
}

TEST(DisplayScalesTest, ZeroRowOnAnEdgeFallsBackToEqualRows) {
  GridRows rows;
  std::int32_t mode = 99;
  // Zero row at the top (maximum tiny against the minimum).
  ComputeGridRows(rows, 215, -1.0e6f, 1.0f, 215.0f / 1.000001e6f, mode);
  EXPECT_EQ(RowsOf(rows), (std::vector<std::int32_t>{0, 171, 128, 85, 42}));
  EXPECT_EQ(mode, 0);
  // Zero row exactly on the bottom edge, and beyond it.
  ComputeGridRows(rows, 215, -1.0f, 100.0f, 2.15f, mode);
  EXPECT_EQ(RowsOf(rows), (std::vector<std::int32_t>{215, 171, 128, 85, 42}));
  ComputeGridRows(rows, 80, -1.0f, 100.0f, 4.0f, mode);
  EXPECT_EQ(RowsOf(rows), (std::vector<std::int32_t>{80, 63, 47, 31, 15}));
  EXPECT_EQ(mode, 0);
}

TEST(DisplayScalesTest, NonFiniteScalesGiveBoundedGrids) {
  const std::vector<float> scales{INF, -INF, NAN_VALUE, 1.0e30f, -1.0e30f, 0.0f, 1.0e-30f};
  const std::vector<std::pair<float, float>> ranges{
      {-100.0f, 100.0f}, {500.0f, 500.0f}, {-INF, INF}, {NAN_VALUE, 5.0f}, {-5.0f, NAN_VALUE}};
  for (const float p : scales) {
    for (const auto& [min, max] : ranges) {
      std::ostringstream label;
      label << "p " << p << " range " << min << ".." << max;
      SCOPED_TRACE(label.str());
      GridRows rows;
      std::int32_t mode = 99;
      ComputeGridRows(rows, 215, min, max, p, mode);
      ASSERT_GE(rows.count, 1);
      ASSERT_LE(rows.count, 9);
      for (const std::int32_t row : RowsOf(rows)) {
        EXPECT_GE(row, 0);
        EXPECT_LE(row, 215);
      }
      EXPECT_TRUE(mode == -1 || mode == 0 || mode == 1);
    }
  }
}

// Over a sweep of heights and ranges: at most nine rows, all inside the window, and around
// zero strictly upward from the zero row first, then strictly downward.
TEST(DisplayScalesTest, StraddlingGridsStayInsideAndOrdered) {
  for (int height = 1; height <= 400; height += 7) {
    for (float min = -3000.0f; min < 0.0f; min += 137.0f) {
      for (float max = 0.5f; max < 3000.0f; max += 211.0f) {
        GridRows rows;
        std::int32_t mode = 99;
        ComputeGridRows(rows, height, min, max, static_cast<float>(height) / (max - min), mode);
        const std::vector<std::int32_t> r = RowsOf(rows);
        ASSERT_EQ(mode, 0);
        ASSERT_GE(r.size(), 1u);
        ASSERT_LE(r.size(), 9u);
        const std::int32_t zero = r[0];
        if (zero <= 0 || zero >= height)
          continue;  // the edge fallback, tested above
        std::size_t i = 1;
        for (std::int32_t previous = zero; i < r.size() && r[i] < zero; previous = r[i++]) {
          ASSERT_LT(r[i], previous) << "height " << height << " range " << min << ".." << max;
          ASSERT_GE(r[i], 1);
        }
        for (std::int32_t previous = zero; i < r.size(); previous = r[i++]) {
          ASSERT_GT(r[i], previous) << "height " << height << " range " << min << ".." << max;
          ASSERT_LT(r[i], height);
        }
      }
    }
  }
}

TEST(DisplayScalesTest, InitSetsTheDefaultRangeScalesAndChannels) {
  auto app = std::make_unique<AppState>();
  app->settings.profileMin = -5.0f;
  app->settings.profileMax = 5.0f;
  app->settings.gradSensorCount = 1;
  InitDisplayScales(*app);
  EXPECT_EQ(app->settings.profileMin, 0.0f);
  EXPECT_EQ(app->settings.profileMax, 2000.0f);
  EXPECT_FLOAT_EQ(app->profilePixelsPerUnit, 0.1075f);
  EXPECT_FLOAT_EQ(app->barPixelsPerUnit, 0.04f);
  EXPECT_EQ(RowsOf(app->profileGridRows), (std::vector<std::int32_t>{171, 128, 85, 42}));
  EXPECT_EQ(RowsOf(app->barGridRows), (std::vector<std::int32_t>{63, 47, 31, 15}));
  EXPECT_EQ(app->barBaseMode, 1);
  EXPECT_EQ(app->channelCount, 1);

  app->settings.gradSensorCount = 2;
  InitDisplayScales(*app);
  EXPECT_EQ(app->channelCount, 2);
}

TEST(DisplayScalesTest, RecomputeUsesTheSettingsRangeForBothWindows) {
  auto app = std::make_unique<AppState>();
  app->settings.profileMin = -100.0f;
  app->settings.profileMax = 100.0f;
  RecomputeProfileScales(*app);
  EXPECT_FLOAT_EQ(app->profilePixelsPerUnit, 1.075f);
  EXPECT_FLOAT_EQ(app->barPixelsPerUnit, 0.4f);
  EXPECT_EQ(RowsOf(app->profileGridRows),
            (std::vector<std::int32_t>{107, 80, 53, 26, 134, 161, 188}));
  // Bars: z = 40, r = 1, s = 25: rows at 30, 20, 10 above and 50, 60, 70 below.
  EXPECT_EQ(RowsOf(app->barGridRows), (std::vector<std::int32_t>{40, 30, 20, 10, 50, 60, 70}));
  EXPECT_EQ(app->barBaseMode, 0);
}

}  // namespace
}  // namespace gradlog
