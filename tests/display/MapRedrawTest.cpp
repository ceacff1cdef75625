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

PlanePoint AtPixel(int x, int y) {
  return {106.0 - y, x - 106.0};  // with one pixel a unit
}

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
    rig.track.points.Insert({70, 70});
    rig.track.points.Insert({60, 90});
    rig.view.plotStarted = c.plotStarted;
    rig.view.markerBackgroundValid = 1;
    MapScene scene = rig.Scene();
    RedrawMap(rig.dc, scene, c.current);
    EXPECT_EQ(rig.At(50, 50), 'e');
    EXPECT_EQ(rig.At(60, 90), 's');
    EXPECT_EQ(rig.WhereDown('s', 70), Span(68, 72));  // the external cross is under the square
    EXPECT_EQ(rig.Where('-', 201), Span(0, 212));     // 201.85 is a grid row
    EXPECT_EQ(rig.ShadesInSquare().count('?'), 0u);
    EXPECT_EQ(rig.At(150, 40), c.marker ? 'c' : 'w');
    EXPECT_EQ(rig.view.markerBackgroundValid, c.marker ? 1 : 0);
    if (c.marker) {
      EXPECT_EQ(rig.view.lastMarkerX, 150);
      EXPECT_EQ(rig.view.lastMarkerY, 40);
    }
  }
}

TEST(MapRedrawTest, ATrackIsDrawnOnlyWhereItsPointsLieInsideThePlaneBox) {
  struct Case {
    TrackPoint point;
    bool drawn;
  };
  const std::vector<Case> cases{
      {{100, 200}, true},  {{110, 210}, true}, {{105, 205}, true},  {{105, 205}, true},
      {{106, 205}, true},  {{99, 205}, false}, {{111, 205}, false}, {{105, 199}, false},
      {{105, 211}, false}, {{95, 205}, false},
  };
  MapRig rig;
  rig.settings.mapExternalPointSize = 0;  // one pixel each
  rig.external.points.Reset(cases.size());
  for (const Case& c : cases)
    rig.external.points.Append(c.point);
  rig.external.points.SortByY();
  MapScene scene = rig.Scene();
  DrawExternalTrack(rig.dc, scene, {.left = 100, .right = 110, .top = 200, .bottom = 210},
                    {95, 190});
  for (const Case& c : cases) {
    EXPECT_EQ(rig.At(c.point.x - 95, c.point.y - 190), c.drawn ? 'e' : 'w')
        << c.point.x << ", " << c.point.y;
  }
  // The search stopped at the first point of the box's rows.
  EXPECT_EQ(rig.external.points.Points()[rig.external.points.Cursor()].y, 200);
  // A box as large as the plane draws every point.
  platform::Bitmap whole(CURVE_WINDOW, CURVE_WINDOW, platform::Rgb(255, 255, 255));
  platform::BitmapContext wholeDc(whole);
  DrawExternalTrack(wholeDc, scene,
                    {.left = INT32_MIN, .right = INT32_MAX, .top = INT32_MIN, .bottom = INT32_MAX},
                    {95, 190});
  for (const Case& c : cases) {
    EXPECT_EQ(MapShade(wholeDc.GetPixel(c.point.x - 95, c.point.y - 190)), 'e')
        << c.point.x << ", " << c.point.y;
  }
}

TEST(MapRedrawTest, AfterARescaleTheLastPositionKeepsItsPlaceInTheWindow) {
  MapGeometry geometry;
  geometry.prevPixelsPerUnit = 21.2;
  geometry.pixelsPerUnit = 2.12;
  const TrackPlane before{.pixelsPerUnit = 21.2};
  const TrackPlane after{.pixelsPerUnit = 2.12};
  const PlanePoint last{30.0, 40.0};  // plane (954, -530), then (190, 42)
  MapViewState view;
  view.viewBox = {.left = 900, .right = 1112, .top = -600, .bottom = -388};
  const TrackPoint then = ToTrackPixel(before, last);
  const TrackPoint now = ToTrackPixel(after, last);
  AdjustViewAfterReload(view, geometry, after, last, ViewAdjust::AfterRescale);
  EXPECT_EQ(view.viewBox, (MapBox{.left = 136, .right = 348, .top = -28, .bottom = 184}));
  EXPECT_EQ(now.x - view.viewBox.left, then.x - 900);
  EXPECT_EQ(now.y - view.viewBox.top, then.y + 600);
}

TEST(MapRedrawTest, OtherwiseTheViewIsCentredOnTheLastPositionWhenItLiesOnOrOutsideAnEdge) {
  struct Case {
    const char* what;
    int x, y;
    MapBox view;
  };
  const MapBox unchanged{0, 212, 0, 212};
  const std::vector<Case> cases{
      {"inside", 150, 60, unchanged},
      {"one inside the left edge", 1, 60, unchanged},
      {"on the left edge", 0, 60, {-105, 105, -45, 165}},
      {"on the bottom edge", 150, 212, {45, 255, 107, 317}},
      {"outside", 400, -90, {295, 505, -195, 15}},
  };
  const TrackPlane plane{.pixelsPerUnit = 1.0};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MapViewState view;
    AdjustViewAfterReload(view, MapGeometry{}, plane, AtPixel(c.x, c.y), ViewAdjust::Other);
    EXPECT_EQ(view.viewBox, c.view);
  }
}

// Marks of size 5 reach three pixels. A mark cut by the square's edge, or centred just
// outside it, is whole once the picture scrolls it in.
TEST(MapRedrawTest, AScrollStripCompletesTheMarksCutAtItsEdge) {
  struct Case {
    const char* what;
    TrackPoint point;
    int x, y;           // the position that scrolls by 21
    TrackPoint centre;  // the mark's window centre after the scroll
  };
  const std::vector<Case> cases{
      {"cut at the right edge", {211, 60}, 181, 106, {190, 60}},
      {"just beyond the right edge", {214, 90}, 181, 106, {193, 90}},
      {"cut at the bottom edge", {60, 211}, 106, 181, {60, 190}},
      {"just below the bottom edge", {90, 214}, 106, 181, {90, 193}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MapRig rig(0.0f, 1.0);
    rig.settings.mapSavedPointSize = 5;
    rig.PlotPixel(false, 106, 106);
    rig.track.points.Insert(c.point);
    MapScene scene = rig.Scene();
    RedrawMap(rig.dc, scene, AtPixel(106, 106));
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
  rig.external.points.Reset(field.size());
  for (const TrackPoint p : field)
    rig.external.points.Append(p);
  rig.external.points.SortByY();
  rig.external.loaded = 1;

  rig.PlotPixel(true, 106, 106);
  MapScene start = rig.Scene();
  RedrawMap(rig.dc, start, AtPixel(106, 106));
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
  int scrolls = 0;
  int diagonal = 0;
  for (const TrackPoint drift : drifts) {
    for (int i = 0; i < 25; ++i) {
      x += drift.x + step();
      y += drift.y + step();
      const MapBox was = rig.view.viewBox;
      rig.PlotPixel(true, x, y);
      const MapBox& now = rig.view.viewBox;
      scrolls += was == now ? 0 : 1;
      diagonal += was.left != now.left && was.top != now.top ? 1 : 0;
    }
  }
  rig.PlotPixel(true, x, y);  // marks the last position
  EXPECT_GT(scrolls, 20);
  EXPECT_GT(diagonal, 2);

  platform::Bitmap fresh(CURVE_WINDOW, CURVE_WINDOW, platform::Rgb(255, 255, 255));
  platform::BitmapContext freshDc(fresh);
  MapScene scene = rig.Scene();
  RedrawMap(freshDc, scene, AtPixel(x, y));
  for (int row = 0; row < MAP_SQUARE; ++row) {
    for (int column = 0; column < MAP_SQUARE; ++column)
      ASSERT_EQ(rig.dc.GetPixel(column, row), freshDc.GetPixel(column, row))
          << column << ", " << row;
  }
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
