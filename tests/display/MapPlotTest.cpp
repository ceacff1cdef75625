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
  // 74, 106, 137.95, 169.9 and 201.85 moved by -52, and 181.8 came in; the rows stay.
  EXPECT_EQ(rig.Where('-', 50), "22 54 85 117 149 181 ");
  EXPECT_EQ(rig.Where('-', 42), Span(0, 212));
  // The old marker's place shows the grid crossing it left; one marker is on the map.
  EXPECT_EQ(rig.Where('c', 106), Span(156, 164));
  EXPECT_EQ(rig.Where('-', 106), Span(0, 155) + Span(165, 212));
}

// One pixel a unit. The position may come the margin (32) close to an edge; one pixel more
// scrolls the view by 21, both ways at once in a corner. A jump of 160 both ways recentres
// the view and leaves only the external track, at plane (330, 300); 159, or 160 one way
// only, scrolls.
TEST(MapPlotTest, MarginScrollsAndJumpsOf160Recentre) {
  struct Case {
    int x, y;
    MapBox view;
    std::set<char> shades;
  };
  const MapBox still{0, 212, 0, 212};
  const std::set<char> kept{'w', '-', 's', 'c'};
  const std::vector<Case> cases{
      {32, 106, still, kept},
      {31, 106, {-21, 191, 0, 212}, kept},
      {180, 106, still, kept},
      {181, 106, {21, 233, 0, 212}, kept},
      {106, 32, still, kept},
      {106, 31, {0, 212, -21, 191}, kept},
      {106, 180, still, kept},
      {106, 181, {0, 212, 21, 233}, kept},
      {181, 31, {21, 233, -21, 191}, kept},
      {320, 320, {215, 425, 215, 425}, {'w', 'e', 'c'}},
      {319, 319, {159, 371, 159, 371}, {'w', '-', 'e', 'c'}},
      {-108, -108, {-213, -3, -213, -3}, {'w', 'c'}},
      {320, 106, {160, 372, 0, 212}, kept},  // the picture is left as it was
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << ", " << c.y);
    MapRig rig(1.5f, 1.0);
    rig.LoadExternal({{330, 300}});
    rig.PlotPixel(true, 106, 106);
    rig.PlotPixel(true, c.x, c.y);
    EXPECT_EQ(rig.view.viewBox, c.view);
    EXPECT_EQ(rig.view.lastMarkerX, c.x - c.view.left);
    EXPECT_EQ(rig.view.lastMarkerY, c.y - c.view.top);
    EXPECT_EQ(rig.ShadesInSquare(), c.shades);
    EXPECT_EQ(rig.track.points.Count(), 1u);
  }
}

TEST(MapPlotTest, StandingStillWhileRecordingStoresOnePoint) {
  MapRig rig;
  for (int fix = 0; fix < 20; ++fix)
    rig.Plot(true, 2.0, 1.0);
  EXPECT_EQ(rig.track.points.Count(), 1u);
  rig.Plot(true, 2.0, 1.1);  // two pixels on
  EXPECT_EQ(rig.track.points.Count(), 2u);
  EXPECT_EQ(rig.track.trackPositionCount, 2);
}

TEST(MapPlotTest, StandingByTheMarkerMovesAndLeavesNoMarksAndStoresNothing) {
  MapRig rig(0.0f);
  for (int fix = 0; fix < 40; ++fix)
    rig.Plot(false, 0.3 * fix, 0.4 * fix);  // scrolls up and right
  EXPECT_EQ(rig.track.points.Count(), 0u);
  EXPECT_EQ(rig.ShadesInSquare(), (std::set<char>{'w', 'c'}));
}

// Scrolls, a recentre and a jump back leave no grid line in the fresh strips either.
TEST(MapPlotTest, WithoutAGridIntervalNoGridLineIsDrawnAnywhere) {
  MapRig rig(0.0f, 1.0);
  for (const TrackPoint p : std::vector<TrackPoint>{
           {106, 106}, {200, 106}, {300, 250}, {150, 90}, {-40, -60}, {500, 500}, {480, 470}})
    rig.PlotPixel(true, p.x, p.y);
  EXPECT_TRUE(rig.view.grid.x.empty());
  EXPECT_EQ(rig.Picture(0, 0, CURVE_WINDOW - 1, CURVE_WINDOW - 1).find('-'), std::string::npos);
}

// The marker moves 20 pixels left; its old place must then show the picture as drawn
// without any marker.
TEST(MapPlotTest, MovingOnPutsBackThePixelsUnderTheMarker) {
  for (const bool redrawnFirst : {false, true}) {
    SCOPED_TRACE(redrawnFirst ? "the marker drawn by a redraw" : "the first position's marker");
    MapRig rig(1.5f, 1.0);
    rig.PlotPixel(false, 106, 106);  // on a grid crossing
    if (redrawnFirst)
      rig.Redraw(AtPixel(106, 106));
    rig.PlotPixel(false, 86, 106);
    rig.PlotPixel(false, 86, 106);
    MapRig clean(1.5f, 1.0);
    clean.Redraw(std::nullopt);
    EXPECT_EQ(rig.Picture(101, 101, 111, 111), clean.Picture(101, 101, 111, 111));
    EXPECT_EQ(rig.Where('c', 106), Span(82, 90));
  }
}

TEST(MapPlotTest, TheTrackStopsAtTheRunsLimitAndWithoutBuffers) {
  struct Case {
    std::size_t capacity;
    std::int32_t limit;
    std::size_t stored;
  };
  for (const Case& c : {Case{100, 3, 3}, Case{2, 100, 2}}) {
    MapRig rig(1.5f, 1.0);
    rig.track.points.Reset(c.capacity);
    rig.track.maxTrackPositions = c.limit;
    for (int step = 0; step < 10; ++step)
      rig.PlotPixel(true, 100 + 3 * step, 100);
    EXPECT_EQ(rig.track.points.Count(), c.stored) << c.limit;
    EXPECT_EQ(rig.track.trackPositionCount, static_cast<std::int32_t>(c.stored)) << c.limit;
  }
}

// Back near the origin after far-off and NaN positions, the view is centred on it again.
TEST(MapPlotTest, PositionsFarOffOrNotANumberRecentreWithoutHarm) {
  constexpr double NAN_VALUE = std::numeric_limits<double>::quiet_NaN();
  constexpr double HUGE_VALUE = 1e300;
  MapRig rig;
  for (const PlanePoint& p : std::vector<PlanePoint>{{0.0, 0.0},
                                                     {HUGE_VALUE, -HUGE_VALUE},
                                                     {-HUGE_VALUE, HUGE_VALUE},
                                                     {NAN_VALUE, NAN_VALUE},
                                                     {HUGE_VALUE, HUGE_VALUE},
                                                     {0.0, 0.0},
                                                     {0.5, 0.5}})
    rig.Plot(true, p.north, p.east);
  EXPECT_EQ(rig.view.viewBox, (MapBox{.left = 1, .right = 211, .top = 1, .bottom = 211}));
  EXPECT_EQ(rig.view.lastMarkerX, 115);
  EXPECT_EQ(rig.view.lastMarkerY, 94);
  EXPECT_EQ(rig.track.points.Count(), 5u);
}

}  // namespace
}  // namespace gradlog
