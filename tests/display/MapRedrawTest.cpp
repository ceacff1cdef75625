#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "MapTestSupport.h"
#include "display/MapTrackDrawing.h"

namespace gradlog {
namespace {

using namespace testing;

TEST(MapRedrawTest, TheWholeMapIsDrawnAnewWithTheLoggedTrackOverTheExternalOne) {
  struct Case {
    const char* what;
    std::int32_t plotStarted;
    std::optional<PlanePoint> current;
    bool marker;
  };
  const std::vector<Case> cases{
      {"with the current position", 1, AtPixel(150, 40), true},
      {"without a position", 1, std::nullopt, false},
      {"before the run's first position", 0, AtPixel(150, 40), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MapRig rig(1.5f, 1.0);
    rig.dc.FillRect({0, 0, CURVE_WINDOW, CURVE_WINDOW},
                    platform::CreateSolidBrush(platform::Rgb(1, 2, 3)));
    rig.LoadExternal({{50, 50}, {70, 70}});
    // Stored out of row order, one of them below the square.
    for (const TrackPoint p : std::vector<TrackPoint>{{70, 70}, {60, 90}, {50, 400}, {80, 30}})
      rig.track.points.Insert(p);
    rig.view.plotStarted = c.plotStarted;
    rig.view.markerBackgroundValid = 1;
    rig.Redraw(c.current);
    EXPECT_EQ(rig.At(50, 50), 'e');
    EXPECT_EQ(rig.At(60, 90), 's');
    EXPECT_EQ(rig.At(80, 30), 's');
    EXPECT_EQ(rig.WhereDown('s', 70), Span(68, 72));  // the external cross is under the square
    EXPECT_EQ(rig.Where('-', 201), Span(0, 212));     // 201.85 is a grid row
    EXPECT_EQ(rig.ShadesInSquare().count('?'), 0u);
    EXPECT_EQ(rig.At(150, 40), c.marker ? 'c' : 'w');
    EXPECT_EQ(rig.view.markerBackgroundValid, c.marker ? 1 : 0);
  }
}

// Only points inside the box, its edges included, are drawn; a box as large as the plane
// draws every point.
TEST(MapRedrawTest, ATrackIsDrawnOnlyWhereItsPointsLieInsideThePlaneBox) {
  const std::vector<std::pair<TrackPoint, bool>> cases{
      {{100, 200}, true}, {{110, 210}, true},  {{105, 205}, true},  {{105, 205}, true},
      {{99, 205}, false}, {{111, 205}, false}, {{105, 199}, false}, {{105, 211}, false},
  };
  for (const bool whole : {false, true}) {
    MapRig rig;
    rig.settings.mapExternalPointSize = 0;  // one pixel each
    std::vector<TrackPoint> points;
    for (const auto& c : cases)
      points.push_back(c.first);
    rig.LoadExternal(points);
    MapScene scene = rig.Scene();
    const MapBox box = whole ? MapBox{INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX}
                             : MapBox{.left = 100, .right = 110, .top = 200, .bottom = 210};
    DrawExternalTrack(rig.dc, scene, box, {95, 190});
    for (const auto& c : cases) {
      EXPECT_EQ(rig.At(c.first.x - 95, c.first.y - 190), c.second || whole ? 'e' : 'w')
          << c.first.x << ", " << c.first.y << (whole ? " in the whole plane" : "");
    }
  }
}

// After a rescale the last position keeps its place in the window; otherwise the view is
// centred on it when it lies on or outside an edge.
TEST(MapRedrawTest, AfterAReloadTheViewFollowsTheLastPosition) {
  struct Case {
    ViewAdjust adjust;
    double pixelsPerUnit;
    PlanePoint last;
    MapBox from, view;
  };
  const MapBox still{0, 212, 0, 212};
  const std::vector<Case> cases{
      // Plane (954, -530) at 21.2 pixels a unit, then (190, 42).
      {ViewAdjust::AfterRescale, 2.12, {30.0, 40.0}, {900, 1112, -600, -388}, {136, 348, -28, 184}},
      {ViewAdjust::Other, 1.0, AtPixel(1, 60), still, still},  // one inside the left edge
      {ViewAdjust::Other, 1.0, AtPixel(0, 60), still, {-105, 105, -45, 165}},
      {ViewAdjust::Other, 1.0, AtPixel(150, 212), still, {45, 255, 107, 317}},
      {ViewAdjust::Other, 1.0, AtPixel(400, -90), still, {295, 505, -195, 15}},
  };
  for (const Case& c : cases) {
    MapGeometry geometry;
    geometry.prevPixelsPerUnit = 21.2;
    MapViewState view;
    view.viewBox = c.from;
    AdjustViewAfterReload(view, geometry, {.pixelsPerUnit = c.pixelsPerUnit}, c.last, c.adjust);
    EXPECT_EQ(view.viewBox, c.view) << c.last.north << ", " << c.last.east;
  }
}

// Marks of size 5 reach three pixels. A mark cut by the square's edge, or centred just
// outside it, is whole once the picture scrolls it in by 21.
TEST(MapRedrawTest, AScrollStripCompletesTheMarksCutAtItsEdge) {
  struct Case {
    TrackPoint point;
    int x, y;           // the position that scrolls by 21
    TrackPoint centre;  // the mark's window centre after the scroll
  };
  const std::vector<Case> cases{
      {{211, 60}, 181, 106, {190, 60}},  // cut at the right edge
      {{214, 90}, 181, 106, {193, 90}},  // just beyond it
      {{60, 211}, 106, 181, {60, 190}},  // cut at the bottom edge
      {{90, 214}, 106, 181, {90, 193}},  // just below it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.point.x << ", " << c.point.y);
    MapRig rig(0.0f, 1.0);
    rig.settings.mapSavedPointSize = 5;
    rig.PlotPixel(false, 106, 106);
    rig.track.points.Insert(c.point);
    rig.Redraw(AtPixel(106, 106));
    rig.PlotPixel(false, c.x, c.y);
    EXPECT_EQ(rig.Where('s', c.centre.y), Span(c.centre.x - 3, c.centre.x + 3));
    EXPECT_EQ(rig.WhereDown('s', c.centre.x), Span(c.centre.y - 3, c.centre.y + 3));
  }
}

// A run's picture, however it scrolled, is what a redraw of the whole map draws: every
// strip continues the picture beside it.
TEST(MapRedrawTest, AWalkThatScrollsEveryWayLeavesThePictureARedrawWouldDraw) {
  MapRig rig(0.0f, 1.0);
  rig.settings.mapSavedPointSize = 5;
  std::vector<TrackPoint> field;
  for (int y = -400; y < 700; y += 9) {
    for (int x = -400; x < 700; x += 11)
      field.push_back({x, y});
  }
  rig.LoadExternal(field);
  rig.PlotPixel(true, 106, 106);
  rig.Redraw(AtPixel(106, 106));
  // Steps of up to 10 pixels each way on a drift east, south, west, then fast north-east
  // and south-west, so that the view scrolls both ways at once.
  const std::vector<TrackPoint> drifts{{12, 0}, {0, 12}, {-12, 0}, {40, -40}, {-40, 40}};
  std::uint32_t seed = 12345;
  const auto step = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 16) % 21) - 10;
  };
  int x = 106;
  int y = 106;
  int diagonal = 0;
  for (const TrackPoint drift : drifts) {
    for (int i = 0; i < 25; ++i) {
      x += drift.x + step();
      y += drift.y + step();
      const MapBox was = rig.view.viewBox;
      rig.PlotPixel(true, x, y);
      diagonal += was.left != rig.view.viewBox.left && was.top != rig.view.viewBox.top ? 1 : 0;
    }
  }
  rig.PlotPixel(true, x, y);  // marks the last position
  EXPECT_GT(diagonal, 2);
  const std::string scrolled = rig.Picture();
  rig.Redraw(AtPixel(x, y));
  EXPECT_EQ(scrolled, rig.Picture());
}

TEST(MapRedrawTest, TheLoggedTrackIsDrawnWhereItShowsInTheView) {
  MapRig rig(0.0f, 1.0);
  rig.view.viewBox = {.left = 100, .right = 312, .top = 50, .bottom = 262};
  for (const TrackPoint p : std::vector<TrackPoint>{{150, 60}, {98, 100}, {400, 100}})
    rig.track.points.Insert(p);
  MapScene scene = rig.Scene();
  RedrawLoggedTrack(rig.dc, scene);
  EXPECT_EQ(rig.Where('s', 10), Span(48, 52));  // (150, 60)
  EXPECT_EQ(rig.Where('s', 50), Span(0, 0));    // (98, 100) reaches one pixel in
  EXPECT_EQ(rig.ShadesInSquare(), (std::set<char>{'w', 's'}));
}

}  // namespace
}  // namespace gradlog
