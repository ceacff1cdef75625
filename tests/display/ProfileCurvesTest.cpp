#include "display/ProfileCurves.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>
#include <vector>

#include "CurveTestSupport.h"

namespace gradlog {
namespace {

using namespace testing;
using platform::Bitmap;
using platform::BitmapContext;

constexpr int CURVE_SIZE = 215;
constexpr int BARS_WIDTH = 32;
constexpr int BARS_HEIGHT = 80;

TEST(ProfileCurvesTest, RowsAreTheDistanceBelowTheMaximumTruncatedTowardZero) {
  constexpr float NAN_VALUE = std::numeric_limits<float>::quiet_NaN();
  constexpr std::int32_t LOWEST = std::numeric_limits<std::int32_t>::min();
  struct Case {
    float value, profileMax;
    std::int32_t profileY, barY;
  };
  // At 0.1075 and 0.04 pixels a unit: 1000 is 107.49999 in single precision, 2500 above the
  // maximum -53.75 and 2000.5 -0.054.
  const std::vector<Case> cases{
      {1000.0f, 2000.0f, 107, 40}, {0.0f, 2000.0f, 215, 80}, {2500.0f, 2000.0f, -53, -20},
      {2000.5f, 2000.0f, 0, 0},    {-50.0f, 100.0f, 16, 6},  {3.0e38f, 2000.0f, LOWEST, LOWEST},
      {NAN_VALUE, 2000.0f, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.value << " below " << c.profileMax);
    const ChannelRows rows = RowsForValue(
        c.value, c.profileMax, {.profilePixelsPerUnit = 0.1075f, .barPixelsPerUnit = 0.04f});
    EXPECT_EQ(rows.profileY, c.profileY);
    EXPECT_EQ(rows.barY, c.barY);
  }
}

class StepProfileTest : public ::testing::Test {
 protected:
  void Step(std::vector<std::int32_t> rows) {
    StepProfile(dc, setup.display, setup.settings, rows);
  }
  std::string Column(int x, int top, int bottom) { return ColumnShades(dc, x, top, bottom); }
  // Columns left..right-1, each as rows top..bottom-1, separated by '|'.
  std::string Columns(int left, int right, int top, int bottom) {
    std::string shades = Column(left, top, bottom);
    for (int x = left + 1; x < right; ++x)
      shades += "|" + Column(x, top, bottom);
    return shades;
  }

  CurveSetup setup;  // G1 with a 2-pixel pen, G2 with a 3-pixel pen
  Bitmap window{CURVE_SIZE, CURVE_SIZE, WHITE};
  BitmapContext dc{window};
};

TEST_F(StepProfileTest, TheFirstPointIsADotOfThePensWidthAndTheNextOneJoinsIt) {
  Step({100, 50});
  // The 2-pixel dot covers x 166..167 and rows 99..100, the 3-pixel one x 166..168, 49..51.
  EXPECT_EQ(Columns(165, 169, 97, 103), "wwwwww|ww11ww|ww11ww|wwwwww");
  EXPECT_EQ(Columns(165, 169, 47, 54), "wwwwwww|ww222ww|ww222ww|ww222ww");

  Step({110, 50});
  // The old point moved to x 165 and a stroke runs from it down to the new point at x 167.
  EXPECT_EQ(Column(164, 97, 103), "ww1111");
  EXPECT_EQ(Column(166, 103, 109), "111111");
  EXPECT_EQ(Column(167, 108, 113), "111ww");
  EXPECT_EQ(Column(168, 97, 113), std::string(16, 'w'));
  EXPECT_EQ(Column(166, 47, 54), "ww222ww");
}

TEST_F(StepProfileTest, AfterARestartTheCurveStartsAgainWithoutAJoiningStroke) {
  Step({100});
  RestartProfileCurves(setup.display.curves, false);
  Step({150});
  EXPECT_EQ(Columns(164, 166, 98, 102), "w11w|w11w");
  // Only the grid row 128 crosses the gap.
  for (int x = 164; x <= 168; ++x)
    EXPECT_EQ(ShadesIn(dc, {x, 102, x + 1, 148}), (std::set<char>{'w', '-'})) << "column " << x;
  EXPECT_EQ(Column(167, 148, 152), "w11w");
}

TEST_F(StepProfileTest, TheWindowScrollsTwoPixelsAndTheGridGoesOnIntoTheClearedColumns) {
  struct Case {
    float min, max;
    int gridRow;
    std::string around, rows;  // rows gridRow - 2 .. gridRow + 1 in every column; the grid rows
  };
  const std::vector<Case> cases{
      {0.0f, 2000.0f, 171, "ww-w", "42 85 128 171 "},  // the 1-pixel grid pen
      // The zero row 107 in the 2-pixel pen reaches one row up.
      {-100.0f, 100.0f, 107, "w--w", "26 53 80 106 107 134 161 188 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "range " << c.min << ".." << c.max);
    setup.SetRange(c.min, c.max);
    setup.settings.channelShown = {0, 0};
    dc.FillRect({0, 0, CURVE_SIZE, CURVE_SIZE}, setup.display.drawing.whiteBrush);
    DrawProfileGrid(dc, setup.display, false, c.min, c.max);
    for (const int x : {2, 100, 167, 168})
      dc.SetPixel(x, 5, platform::Rgb(255, 0, 0));
    Step({0, 0});
    for (int x = 0; x < CURVE_SIZE; ++x)
      ASSERT_EQ(Column(x, c.gridRow - 2, c.gridRow + 2), c.around) << "column " << x;
    std::string rows;
    for (int y = 0; y < CURVE_SIZE; ++y)
      rows += Shade(dc.GetPixel(50, y)) == '-' ? std::to_string(y) + " " : "";
    EXPECT_EQ(rows, c.rows);
    // The red marks moved to 0, 98 and 165; the two right of the block were cleared.
    std::string marks;
    for (int x = 0; x < 170; ++x)
      marks += Shade(dc.GetPixel(x, 5)) == '?' ? std::to_string(x) + " " : "";
    EXPECT_EQ(marks, "0 98 165 ");
  }
}

TEST(ProfileCurvesTest, OnlyTheSensorsChannelsAreDrawnAndAHiddenCurveKeepsItsBar) {
  struct Case {
    std::int32_t sensors;
    std::array<std::int32_t, 2> shown;
    std::string curves, bars;  // the shades in each
  };
  const std::vector<Case> cases{
      {2, {1, 1}, "-12w", "-12w"},
      {2, {0, 1}, "-2w", "-12w"},
      {2, {1, 0}, "-1w", "-12w"},
      {1, {1, 1}, "-1w", "-1w"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.sensors << " sensors, shown " << c.shown[0] << c.shown[1]);
    CurveSetup setup;
    setup.settings.gradSensorCount = c.sensors;
    setup.settings.channelShown = {c.shown[0], c.shown[1]};
    setup.Apply();
    Bitmap curve(CURVE_SIZE, CURVE_SIZE, WHITE), bars(BARS_WIDTH, BARS_HEIGHT, WHITE);
    BitmapContext curveDc(curve), barsDc(bars);
    // Two values per reading whatever the sensors, as a reading handler may pass them.
    for (const std::int32_t row : {60, 70, 80}) {
      const std::vector<std::int32_t> rows{row, row + 60};
      StepProfile(curveDc, setup.display, setup.settings, rows);
      DrawBars(barsDc, setup.display, std::vector<std::int32_t>{row / 3, row / 3});
    }
    const auto shades = [](const std::set<char>& set) {
      return std::string(set.begin(), set.end());
    };
    EXPECT_EQ(shades(ShadesIn(curveDc, {0, 0, CURVE_SIZE, CURVE_SIZE})), c.curves);
    EXPECT_EQ(shades(ShadesIn(barsDc, {0, 0, BARS_WIDTH, BARS_HEIGHT})), c.bars);
  }
}

// Each case draws a bar to its old top t on a fresh bar window, then moves it to y. In 0..2000
// bars rise from the bottom, in -2000..0 they hang from the top, in -100..100 they stand on
// the zero row 40.
TEST(BarGraphTest, ABarMovesFromItsOldTopToTheNewOneInEveryCase) {
  struct Case {
    const char* what;
    float min, max;
    std::int32_t t, y;
    int barTop, barBottom;  // the bar covers barTop..barBottom-1
    std::int32_t level;
  };
  const std::vector<Case> cases{
      {"rising, shrinks", 0, 2000, 20, 50, 50, 80, 50},
      {"rising, grows", 0, 2000, 50, 20, 20, 80, 20},
      {"hanging, shrinks", -2000, 0, 50, 20, 0, 20, 20},
      {"hanging, grows", -2000, 0, 20, 50, 0, 50, 50},
      {"below zero, was above", -100, 100, 25, 55, 40, 55, 55},
      {"below zero, shrinks", -100, 100, 65, 55, 40, 55, 55},
      {"below zero, grows", -100, 100, 45, 65, 40, 65, 65},
      {"above zero, was below", -100, 100, 65, 25, 25, 40, 25},
      {"above zero, shrinks", -100, 100, 15, 25, 25, 40, 25},
      {"above zero, grows", -100, 100, 25, 15, 15, 40, 15},
      {"above the maximum", 0, 2000, 50, -30, 0, 80, 0},
      {"below the minimum, hanging", -2000, 0, 20, 95, 0, 80, 80},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CurveSetup setup;
    setup.settings.gradSensorCount = 1;
    setup.SetRange(c.min, c.max);
    Bitmap bars(BARS_WIDTH, BARS_HEIGHT, WHITE);
    BitmapContext dc(bars);
    DrawBars(dc, setup.display, std::vector<std::int32_t>{c.t});
    DrawBars(dc, setup.display, std::vector<std::int32_t>{c.y});

    std::string expected(BARS_HEIGHT, 'w');
    for (int row = std::max(c.barTop, 0); row < std::min(c.barBottom, BARS_HEIGHT); ++row)
      expected[static_cast<std::size_t>(row)] = '1';
    const GridRows& grid = setup.display.profile.barGridRows;
    for (std::int32_t i = 0; i < grid.count; ++i)
      expected[static_cast<std::size_t>(grid.rows[static_cast<std::size_t>(i)])] = '-';
    if (setup.display.profile.barBaseMode == 0)  // the zero pen reaches one row up
      expected[static_cast<std::size_t>(grid.rows[0] - 1)] = '-';
    // The bar spans x 2..26, with white on each side of it.
    for (const int x : {2, 26})
      EXPECT_EQ(ColumnShades(dc, x, 0, BARS_HEIGHT), expected) << "column " << x;
    for (const int x : {1, 27})
      EXPECT_EQ(ShadesIn(dc, {x, 0, x + 1, BARS_HEIGHT}).count('1'), 0u) << "column " << x;
    EXPECT_EQ(setup.display.curves.barPrevTop[0], c.y);
    EXPECT_EQ(setup.display.curves.barLevel[0], c.level);
  }
}

TEST(BarGraphTest, TwoBarsMoveIndependently) {
  CurveSetup setup;
  Bitmap bars(BARS_WIDTH, BARS_HEIGHT, WHITE);
  BitmapContext dc(bars);
  DrawBars(dc, setup.display, std::vector<std::int32_t>{10, 70});
  DrawBars(dc, setup.display, std::vector<std::int32_t>{75, 5});
  // G1 at x 2..13 shrank to rows 75..79, G2 at x 16..27 grew to 5..79.
  EXPECT_EQ(ColumnShades(dc, 13, 3, 8) + ColumnShades(dc, 13, 73, 78), "wwwwwww111");
  EXPECT_EQ(ColumnShades(dc, 16, 3, 8), "ww222");
  EXPECT_EQ(ShadesIn(dc, {14, 0, 16, BARS_HEIGHT}), (std::set<char>{'w', '-'}));
}

}  // namespace
}  // namespace gradlog
