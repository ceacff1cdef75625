#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "MapTestSupport.h"

namespace gradlog {
namespace {

using namespace testing;

TEST(MapPlotTest, TheFirstPositionIsTheOriginAtTheCentreOfAClearedSquareWithItsGrid) {
  MapRig rig;
  rig.dc.FillRect({0, 0, CURVE_WINDOW, CURVE_WINDOW}, rig.pens.externalBrush);
  rig.Plot(true, 0.0, 0.0);
  EXPECT_EQ(rig.view.plotStarted, 1);
  EXPECT_EQ(rig.view.lastMarkerX, 106);
  EXPECT_EQ(rig.view.lastMarkerY, 106);
  EXPECT_EQ(rig.track.points.Count(), 0u);  // the first position is not stored
  // Lines 31.95 pixels apart through the origin, truncated.
  EXPECT_EQ(rig.Where('-', 50), "10 42 74 106 137 169 201 ");
  EXPECT_EQ(rig.Where('c', 106), Span(102, 110));
  EXPECT_EQ(rig.ShadesInSquare(), (std::set<char>{'w', '-', 'c'}));
  EXPECT_EQ(rig.At(213, 50), 'e');  // the window's border is not the map's
}

TEST(MapPlotTest, FiveMetresEastScrollsTheViewRightBy52AndTheGridWithIt) {
  MapRig rig;
  rig.Plot(false, 0.0, 0.0);
  rig.Plot(false, 0.0, 5.0);  // x = 106 + 5 x 21.2 = 212, beyond 212 - 32
  EXPECT_EQ(rig.view.viewBox, (MapBox{.left = 52, .right = 264, .top = 0, .bottom = 212}));
  EXPECT_EQ(rig.view.lastMarkerX, 160);
  EXPECT_EQ(rig.view.lastMarkerY, 106);
  // 74, 106, 137.95, 169.9 and 201.85 moved by -52, and 181.8 came in; the rows stay.
  EXPECT_EQ(rig.Where('-', 50), "22 54 85 117 149 181 ");
  EXPECT_EQ(rig.Where('-', 42), Span(0, 212));
  // The old marker's place shows the grid crossing it left; one marker is on the map.
  EXPECT_EQ(rig.Where('c', 106), Span(156, 164));
  EXPECT_EQ(rig.Where('-', 106), Span(0, 155) + Span(165, 212));
}

// One pixel a unit, so that each position is an exact pixel of the plane.
TEST(MapPlotTest, ThePositionMayComeTheMarginCloseToAnEdgeAndOnePixelMoreScrolls) {
  struct Case {
    const char* what;
    int x, y;
    MapBox view;
  };
  const std::vector<Case> cases{
      {"at the left margin", 32, 106, {0, 212, 0, 212}},
      {"inside the left margin", 31, 106, {-21, 191, 0, 212}},
      {"at the right margin", 180, 106, {0, 212, 0, 212}},
      {"inside the right margin", 181, 106, {21, 233, 0, 212}},
      {"at the top margin", 106, 32, {0, 212, 0, 212}},
      {"inside the top margin", 106, 31, {0, 212, -21, 191}},
      {"at the bottom margin", 106, 180, {0, 212, 0, 212}},
      {"inside the bottom margin", 106, 181, {0, 212, 21, 233}},
      {"inside two margins", 181, 31, {21, 233, -21, 191}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MapRig rig(1.5f, 1.0);
    rig.PlotPixel(false, 106, 106);
    rig.PlotPixel(false, c.x, c.y);
    EXPECT_EQ(rig.view.viewBox, c.view);
    EXPECT_EQ(rig.view.lastMarkerX, c.x - c.view.left);
    EXPECT_EQ(rig.view.lastMarkerY, c.y - c.view.top);
  }
}

// An external point lies at plane (330, 300), near the far positions.
TEST(MapPlotTest, AJumpOf160BothWaysRecentresAndLeavesOnlyTheExternalTrack) {
  struct Case {
    const char* what;
    int x, y;
    MapBox view;
    std::set<char> shades;
  };
  const std::vector<Case> cases{
      {"160 both ways", 320, 320, {215, 425, 215, 425}, {'w', 'e', 'c'}},
      {"159 both ways: scrolled", 319, 319, {159, 371, 159, 371}, {'w', '-', 'e', 'c'}},
      {"160 back both ways", -108, -108, {-213, -3, -213, -3}, {'w', 'c'}},
      // The view moves, the picture is left as it was.
      {"160 across only", 320, 106, {160, 372, 0, 212}, {'w', '-', 's', 'c'}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MapRig rig(1.5f, 1.0);
    rig.LoadExternal({{330, 300}});
    rig.PlotPixel(true, 106, 106);
    rig.PlotPixel(true, c.x, c.y);
    EXPECT_EQ(rig.view.viewBox, c.view);
    EXPECT_EQ(rig.view.lastMarkerX, c.x - c.view.left);
    EXPECT_EQ(rig.ShadesInSquare(), c.shades);
    EXPECT_EQ(rig.track.points.Count(), 1u);
  }
}

TEST(MapPlotTest, StandingStillWhileRecordingStoresOnePoint) {
  MapRig rig;
  for (int fix = 0; fix < 20; ++fix)
    rig.Plot(true, 2.0, 1.0);
  EXPECT_EQ(rig.track.points.Count(), 1u);
  EXPECT_EQ(rig.track.trackPositionCount, 1);
  rig.Plot(true, 2.0, 1.1);  // two pixels on
  EXPECT_EQ(rig.track.points.Count(), 2u);
  EXPECT_EQ(rig.track.trackPositionCount, 2);
}

// Each step scrolls the view and puts the position at the same window pixel again.
TEST(MapPlotTest, AFastWalkAlongARowStoresEveryPosition) {
  MapRig rig(1.5f, 1.0);
  for (int x = 106; x <= 1006; x += 100)
    rig.PlotPixel(true, x, 106);
  EXPECT_EQ(rig.view.lastMarkerX, 160);
  EXPECT_EQ(rig.track.points.Count(), 9u);
}

TEST(MapPlotTest, StandingByTheMarkerMovesAndLeavesNoMarksAndStoresNothing) {
  MapRig rig(0.0f);
  for (int fix = 0; fix < 40; ++fix)
    rig.Plot(false, 0.3 * fix, 0.4 * fix);  // scrolls up and right
  EXPECT_EQ(rig.track.points.Count(), 0u);
  EXPECT_EQ(rig.ShadesInSquare(), (std::set<char>{'w', 'c'}));
}

TEST(MapPlotTest, WithoutAGridIntervalNoGridLineIsDrawnAnywhere) {
  MapRig rig(0.0f, 1.0);
  const std::vector<std::pair<int, int>> walk{{106, 106}, {200, 106}, {300, 250}, {150, 90},
                                              {-40, -60}, {500, 500}, {480, 470}};
  for (const auto& step : walk)
    rig.PlotPixel(true, step.first, step.second);
  EXPECT_TRUE(rig.view.grid.x.empty());
  for (int y = 0; y < CURVE_WINDOW; ++y)
    ASSERT_EQ(rig.Where('-', y), "") << "row " << y;
}

// The marker moves 20 pixels left from (x, y); its old place must then show the picture as
// drawn without any marker.
TEST(MapPlotTest, MovingOnPutsBackThePixelsUnderTheMarker) {
  struct Case {
    const char* what;
    float interval;
    int x, y;
    bool redrawnFirst;  // the marker drawn by a redraw rather than as the first position
  };
  const std::vector<Case> cases{
      {"on a grid crossing", 1.5f, 106, 106, false},
      {"on white", 1.5f, 90, 90, false},
      {"without a grid", 0.0f, 106, 106, false},
      {"after a redraw", 1.5f, 106, 106, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MapRig rig(c.interval, 1.0);
    rig.PlotPixel(false, c.x, c.y);
    if (c.redrawnFirst) {
      MapScene scene = rig.Scene();
      RedrawMap(rig.dc, scene, PlanePoint{106.0 - c.y, c.x - 106.0});
    }
    rig.PlotPixel(false, c.x - 20, c.y);
    rig.PlotPixel(false, c.x - 20, c.y);

    MapRig clean(c.interval, 1.0);
    MapScene cleanScene = clean.Scene();
    RedrawMap(clean.dc, cleanScene, std::nullopt);
    for (int y = c.y - 5; y <= c.y + 5; ++y) {
      for (int x = c.x - 5; x <= c.x + 5; ++x)
        ASSERT_EQ(rig.dc.GetPixel(x, y), clean.dc.GetPixel(x, y)) << x << ", " << y;
    }
    EXPECT_EQ(rig.Where('c', c.y), Span(c.x - 24, c.x - 16));
  }
}

TEST(MapPlotTest, TheTrackStopsAtTheRunsLimitAndWithoutBuffers) {
  struct Case {
    const char* what;
    std::size_t capacity;
    std::int32_t limit;
    std::size_t stored;
  };
  const std::vector<Case> cases{
      {"the run's limit", 100, 3, 3},
      {"full buffers", 2, 100, 2},
      {"no buffers reserved", 0, 100, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MapRig rig(1.5f, 1.0);
    rig.track.points.Reset(c.capacity);
    rig.track.maxTrackPositions = c.limit;
    for (int step = 0; step < 10; ++step)
      rig.PlotPixel(true, 100 + 3 * step, 100);
    EXPECT_EQ(rig.track.points.Count(), c.stored);
    EXPECT_EQ(rig.track.trackPositionCount, static_cast<std::int32_t>(c.stored));
  }
}

TEST(MapPlotTest, PositionsFarOffOrNotANumberRecentreWithoutHarm) {
  constexpr double NAN_VALUE = std::numeric_limits<double>::quiet_NaN();
  constexpr double HUGE_VALUE = 1e300;
  MapRig rig;
  const std::vector<PlanePoint> walk{{0.0, 0.0},
                                     {HUGE_VALUE, -HUGE_VALUE},
                                     {-HUGE_VALUE, HUGE_VALUE},
                                     {NAN_VALUE, NAN_VALUE},
                                     {HUGE_VALUE, HUGE_VALUE},
                                     {0.0, 0.0},
                                     {0.5, 0.5}};
  for (const PlanePoint& p : walk)
    rig.Plot(true, p.north, p.east);
  // Back near the origin the view is centred on it again and the marker inside.
  EXPECT_EQ(rig.view.viewBox, (MapBox{.left = 1, .right = 211, .top = 1, .bottom = 211}));
  EXPECT_EQ(rig.view.lastMarkerX, 115);
  EXPECT_EQ(rig.view.lastMarkerY, 94);
  EXPECT_EQ(rig.track.points.Count(), 5u);
}

}  // namespace
}  // namespace gradlog
