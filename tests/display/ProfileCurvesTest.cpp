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
using platform::Rect;

constexpr int CURVE_SIZE = 215;
constexpr int BARS_WIDTH = 32;
constexpr int BARS_HEIGHT = 80;

TEST(ProfileCurvesTest, RowsAreTheDistanceBelowTheMaximumTruncatedTowardZero) {
  constexpr float NAN_VALUE = std::numeric_limits<float>::quiet_NaN();
  constexpr std::int32_t LOWEST = std::numeric_limits<std::int32_t>::min();
  struct Case {
    float value;
    float profileMax;
    float profilePixelsPerUnit;
    float barPixelsPerUnit;
    std::int32_t profileY;
    std::int32_t barY;
  };
  const std::vector<Case> cases{
      {1000.0f, 2000.0f, 0.1075f, 0.04f, 107, 40},  // 107.49999 in single precision
      {0.0f, 2000.0f, 0.1075f, 0.04f, 215, 80},
      {2000.0f, 2000.0f, 0.1075f, 0.04f, 0, 0},
      {2500.0f, 2000.0f, 0.1075f, 0.04f, -53, -20},  // above the maximum: -53.75
      {2000.5f, 2000.0f, 1.0f, 1.0f, 0, 0},          // -0.5 truncates to 0
      {-50.0f, 100.0f, 1.075f, 0.4f, 161, 60},
      {3.0e38f, 2000.0f, 0.1075f, 0.04f, LOWEST, LOWEST},
      {NAN_VALUE, 2000.0f, 0.1075f, 0.04f, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.value << " below " << c.profileMax);
    ProfileScales scales;
    scales.profilePixelsPerUnit = c.profilePixelsPerUnit;
    scales.barPixelsPerUnit = c.barPixelsPerUnit;
    const ChannelRows rows = RowsForValue(c.value, c.profileMax, scales);
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

  CurveSetup setup;  // G1 with a 2-pixel pen, G2 with a 3-pixel pen
  Bitmap window{CURVE_SIZE, CURVE_SIZE, WHITE};
  BitmapContext dc{window};
};

TEST_F(StepProfileTest, TheFirstPointIsADotOfThePensWidthAndTheNextOneJoinsIt) {
  Step({100, 50});
  // Rows 97..102: the 2-pixel dot covers x 166..167 and rows 99..100.
  EXPECT_EQ(Column(165, 97, 103), "wwwwww");
  EXPECT_EQ(Column(166, 97, 103), "ww11ww");
  EXPECT_EQ(Column(167, 97, 103), "ww11ww");
  EXPECT_EQ(Column(168, 97, 103), "wwwwww");
  // Rows 47..53: the 3-pixel dot covers x 166..168 and rows 49..51.
  EXPECT_EQ(Column(165, 47, 54), "wwwwwww");
  EXPECT_EQ(Column(168, 47, 54), "ww222ww");

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
  EXPECT_EQ(Column(164, 98, 102), "w11w");
  EXPECT_EQ(Column(165, 98, 102), "w11w");
  // Only the grid row 128 crosses the gap.
  for (int x = 164; x <= 168; ++x)
    EXPECT_EQ(ShadesIn(dc, {x, 102, x + 1, 148}), (std::set<char>{'w', '-'})) << "column " << x;
  EXPECT_EQ(Column(167, 148, 152), "w11w");
}

TEST_F(StepProfileTest, TheWindowScrollsTwoPixelsAndTheGridGoesOnIntoTheClearedColumns) {
  struct Case {
    float min;
    float max;
    int gridRow;
    std::string around;  // rows gridRow - 2 .. gridRow + 1 in every column after the step
  };
  const std::vector<Case> cases{
      {0.0f, 2000.0f, 171, "ww-w"},    // the 1-pixel grid pen
      {-100.0f, 100.0f, 107, "w--w"},  // the zero row in the 2-pixel pen reaches one row up
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
    std::string marks;
    for (int x = 0; x < 170; ++x)
      marks += Shade(dc.GetPixel(x, 5)) == '?' ? 'r' : '.';
    // Moved to 0, 98 and 165; the two right of the block were cleared.
    EXPECT_EQ(marks, std::string(1, 'r') + std::string(97, '.') + "r" + std::string(66, '.') + "r" +
                         std::string(4, '.'));
  }
}

TEST(ProfileCurvesTest, OnlyTheSensorsChannelsAreDrawnAndAHiddenCurveKeepsItsBar) {
  struct Case {
    std::int32_t sensors;
    std::array<std::int32_t, 2> shown;
    std::set<char> curves;
    std::set<char> bars;
  };
  const std::vector<Case> cases{
      {2, {1, 1}, {'w', '-', '1', '2'}, {'w', '-', '1', '2'}},
      {2, {0, 1}, {'w', '-', '2'}, {'w', '-', '1', '2'}},
      {2, {1, 0}, {'w', '-', '1'}, {'w', '-', '1', '2'}},
      {1, {1, 1}, {'w', '-', '1'}, {'w', '-', '1'}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.sensors << " sensors, shown " << c.shown[0] << c.shown[1]);
    CurveSetup setup;
    setup.settings.gradSensorCount = c.sensors;
    setup.settings.channelShown = {c.shown[0], c.shown[1]};
    setup.Apply();
    Bitmap curve(CURVE_SIZE, CURVE_SIZE, WHITE);
    BitmapContext curveDc(curve);
    Bitmap bars(BARS_WIDTH, BARS_HEIGHT, WHITE);
    BitmapContext barsDc(bars);
    // Two values per reading whatever the sensors, as a reading handler may pass them.
    for (const std::int32_t row : {60, 70, 80}) {
      const std::vector<std::int32_t> rows{row, row + 60};
      StepProfile(curveDc, setup.display, setup.settings, rows);
      DrawBars(barsDc, setup.display, std::vector<std::int32_t>{row / 3, row / 3});
    }
    EXPECT_EQ(ShadesIn(curveDc, {0, 0, CURVE_SIZE, CURVE_SIZE}), c.curves);
    EXPECT_EQ(ShadesIn(barsDc, {0, 0, BARS_WIDTH, BARS_HEIGHT}), c.bars);
  }
}

// Each case draws a bar to its old top t on a fresh bar window, then moves it to y, and reads
// column 10 (inside the one bar, x 2..26) from top to bottom.
TEST(BarGraphTest, ABarMovesFromItsOldTopToTheNewOneInEveryCase) {
  struct Case {
    const char* what;
    float min;
    float max;
    std::int32_t t;
    std::int32_t y;
    int barTop;  // the bar covers barTop..barBottom-1
    int barBottom;
    std::int32_t level;
  };
  // Ranges: 0..2000 bars rise from the bottom, -2000..0 hang from the top, -100..100 stand on
  // the zero row 40.
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
    EXPECT_EQ(ColumnShades(dc, 10, 0, BARS_HEIGHT), expected);
    // The bar's own columns, and white on each side of it.
    EXPECT_EQ(ColumnShades(dc, 2, 0, BARS_HEIGHT), expected);
    EXPECT_EQ(ColumnShades(dc, 26, 0, BARS_HEIGHT), expected);
    for (const int x : {1, 27}) {
      const std::set<char> side = ShadesIn(dc, {x, 0, x + 1, BARS_HEIGHT});
      EXPECT_EQ(side.count('1'), 0u) << "column " << x;
    }
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

TEST(ProfileGridTest, RowsSpanTheWholeWidthAndTheZeroRowIsTwoPixelsHigh) {
  CurveSetup setup;
  setup.SetRange(-100.0f, 100.0f);  // rows 107 (zero), 80, 53, 26, 134, 161, 188
  Bitmap curve(CURVE_SIZE, CURVE_SIZE, WHITE);
  BitmapContext dc(curve);
  DrawProfileGrid(dc, setup.display, false, -100.0f, 100.0f);
  for (const int x : {0, 107, CURVE_SIZE - 1}) {
    EXPECT_EQ(ColumnShades(dc, x, 104, 110), "ww--ww") << "column " << x;
    EXPECT_EQ(ColumnShades(dc, x, 78, 83), "ww-ww") << "column " << x;
  }
  std::string rows;
  for (int y = 0; y < CURVE_SIZE; ++y)
    rows += Shade(dc.GetPixel(50, y)) == '-' ? std::to_string(y) + " " : "";
  EXPECT_EQ(rows, "26 53 80 106 107 134 161 188 ");
}

}  // namespace
}  // namespace gradlog
