#include "display/MapGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "MapTestSupport.h"

namespace gradlog {
namespace {

using namespace testing;

MapGrid GridFor(std::int32_t mapScale, float interval) {
  SurveySettings settings;
  settings.mapScale = mapScale;
  settings.mapGridInterval = interval;
  MapGrid grid;
  BuildMapGrid(grid, MapBox{}, MapGeometry{}, settings);
  return grid;
}

TEST(MapGridTest, LinesLieAnIntervalApartOnTheGroundWithOneThroughTheOrigin) {
  constexpr float NAN_VALUE = std::numeric_limits<float>::quiet_NaN();
  constexpr float INFINITE = std::numeric_limits<float>::infinity();
  struct Case {
    std::int32_t mapScale;
    float interval;
    std::size_t count;
    float spacing, first, last;
  };
  const std::vector<Case> cases{
      {10, 1.5f, 7, 31.95f, 10.15f, 201.85f},
      {100, 5.0f, 19, 10.65f, 10.15f, 201.85f},
      {10, 5.0f, 1, 106.5f, 106.0f, 106.0f},   // half the scale: the centre line alone
      {0, 0.25f, 3, 53.25f, 52.75f, 159.25f},  // a scale below 1 is drawn as 1
      // No grid: no interval, or lines closer than a pixel or infinitely far apart.
      {10, 0.0f, 0, 0.0f, 0.0f, 0.0f},
      {10, NAN_VALUE, 0, 0.0f, 0.0f, 0.0f},
      {10, INFINITE, 0, 0.0f, 0.0f, 0.0f},
      {100000, 0.001f, 0, 0.0f, 0.0f, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "scale " << c.mapScale << ", interval " << c.interval);
    const MapGrid grid = GridFor(c.mapScale, c.interval);
    ASSERT_EQ(grid.x.size(), c.count);
    EXPECT_EQ(grid.y, grid.x);
    EXPECT_NEAR(grid.spacing, c.spacing, 1e-3);
    if (c.count == 0)
      continue;
    EXPECT_NEAR(grid.x.front(), c.first, 1e-3);
    EXPECT_NEAR(grid.x.back(), c.last, 1e-3);
  }
}

// However far the view scrolls one way, the lines stay inside the square, `spacing` apart
// and in phase with the ground, none missing at either edge, and the lists stay small.
TEST(MapGridTest, ALongWalkOneWayKeepsTheLinesInsideInPhaseAndBounded) {
  struct Case {
    std::int32_t mapScale;
    float interval;
    std::int32_t shift;
    std::size_t fewest, most;
  };
  // At 150 and 1 the lines are bounded, at 10 and 15 they are further apart than the square
  // is wide and one stays, inside or not.
  const std::vector<Case> cases{
      {10, 1.5f, 52, 6, 7}, {10, 1.5f, -52, 6, 7},   {10, 1.5f, 159, 6, 7},
      {10, 1.5f, -1, 6, 7}, {150, 1.0f, 52, 63, 64}, {10, 15.0f, -52, 1, 1},
  };
  constexpr int SCROLLS = 5000;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "scale " << c.mapScale << ", interval " << c.interval << ", shift " << c.shift);
    MapGrid grid = GridFor(c.mapScale, c.interval);
    const double spacing = grid.spacing;
    for (int i = 1; i <= SCROLLS; ++i) {
      ShiftGridLines(grid.x, grid.spacing, c.shift, 0, 212);
      ASSERT_GE(grid.x.size(), c.fewest) << "after scroll " << i;
      ASSERT_LE(grid.x.size(), c.most) << "after scroll " << i;
      // The line through the origin has moved by -i x shift.
      const double origin = 106.0 - static_cast<double>(i) * c.shift;
      const double phase = std::remainder(grid.x.front() - origin, spacing);
      ASSERT_NEAR(phase, 0.0, 0.02) << "after scroll " << i;
      const bool inside = grid.x.front() >= 0.0f && grid.x.back() <= 212.0f;
      if (spacing < 213.0) {
        ASSERT_TRUE(inside) << "after scroll " << i;
      }
      if (grid.x.size() < MAX_GRID_LINES && inside) {
        ASSERT_LT(grid.x.front() - spacing, 0.0) << "after scroll " << i;
        ASSERT_GT(grid.x.back() + spacing, 212.0) << "after scroll " << i;
      }
      for (std::size_t k = 1; k < grid.x.size(); ++k)
        ASSERT_NEAR(grid.x[k] - grid.x[k - 1], spacing, 0.01) << "after scroll " << i;
    }
  }
}

TEST(MapGridTest, TheGridIsDrawnInsideTheSquareAndALineOutsideIsLeftOut) {
  MapRig rig;
  MapGrid grid;
  grid.spacing = 300.0f;
  grid.x = {-40.0f, 213.0f};  // kept only for their place on the ground
  grid.y = {20.5f, 212.0f};
  DrawMapGrid(rig.dc, grid, rig.view.plotBox, rig.drawing.thinLightGreyPen);
  // The rows span the square, its last column included; the window's border stays white.
  EXPECT_EQ(rig.Where('-', 20), Span(0, 212));
  EXPECT_EQ(rig.Where('-', 212), Span(0, 212));
  EXPECT_EQ(rig.ShadesInSquare(), (std::set<char>{'w', '-'}));
  for (const int y : {19, 21, 211, 213})
    EXPECT_EQ(rig.Where('-', y), "") << "row " << y;
}

}  // namespace
}  // namespace gradlog
