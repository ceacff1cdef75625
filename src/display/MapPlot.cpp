#include <cstdint>
#include <cstdlib>

#include "common/SafeConvert.h"
#include "display/MapArea.h"
#include "display/MapMarker.h"
#include "display/MapScroll.h"
#include "display/MapTrackDrawing.h"
#include "display/MapView.h"
#include "display/MapViewBox.h"

namespace gradlog {

namespace {

// One axis of the view test: when `at` comes closer than `margin` to an edge of [low, high],
// the range jumps so that `at` stands `outer` inside that edge. Returns the jump. In 64 bits,
// as a position far off may lie two plane limits away from the view.
std::int64_t KeepInView(std::int32_t& low, std::int32_t& high, std::int64_t at, std::int64_t margin,
                        std::int64_t outer) {
  std::int64_t shift = 0;
  if (at < low + margin)
    shift = at - outer - low;
  else if (at > high - margin)
    shift = at + outer - high;
  low = ClampToInt32(low + shift);
  high = ClampToInt32(high + shift);
  return shift;
}

// A jump this large leaves nothing of the old picture worth copying.
bool TooFarToScroll(std::int64_t shift, std::int64_t limit) {
  return shift != 0 && std::abs(shift) >= limit;
}

// The view centred on `at`: the map is cleared and only the external track drawn again.
void Recentre(platform::DeviceContext& dc, MapScene& scene, TrackPoint at) {
  MapViewState& view = scene.view;
  view.viewBox = ViewCentredOn(at, scene.geometry);
  ClearMap(dc, view, scene.drawing);
  const TrackPoint origin = TopLeftOf(view.viewBox);
  if (scene.external.loaded != 0) {
    DrawExternalTrack(dc, scene, MarksShowingIn(SquareOf(view.plotBox), origin), origin);
  }
}

// Moves the view so that `at` stays the margin inside its edges, scrolling the picture with
// it. Each strip is drawn for the picture as it stands after its own copy, so the rows of a
// horizontal strip are those of the view before a vertical move.
void FollowPosition(platform::DeviceContext& dc, MapScene& scene, TrackPoint at) {
  MapViewState& view = scene.view;
  MapBox& box = view.viewBox;
  TrackPoint shown = TopLeftOf(box);
  const std::int64_t margin = scene.geometry.marginPx;
  const std::int64_t outer = scene.geometry.marginOuterPx;
  const std::int64_t dx = KeepInView(box.left, box.right, at.x, margin, outer);
  const std::int64_t dy = KeepInView(box.top, box.bottom, at.y, margin, outer);
  const bool jumpX = TooFarToScroll(dx, std::int64_t{view.plotBox.right} - outer);
  const bool jumpY = TooFarToScroll(dy, std::int64_t{view.plotBox.bottom} - outer);
  if (dx != 0 && !jumpX) {
    shown.x = box.left;
    ScrollMap(dc, scene, MapAxis::Horizontal, ClampToInt32(dx), shown);
  }
  if (dy != 0 && !jumpY) {
    shown.y = box.top;
    ScrollMap(dc, scene, MapAxis::Vertical, ClampToInt32(dy), shown);
  } else if (jumpX && jumpY) {
    Recentre(dc, scene, at);
  }
}

// A recorded position goes into the logged track unless it falls on the previous marker's
// pixel (so standing still stores one point) or the run's limit is reached. The pixels are
// compared on the plane: after a scroll a new position may take the old one's window pixel.
void StorePosition(MapScene& scene, TrackPoint position, TrackPoint previous) {
  TrackBuffers& track = scene.track;
  if (track.points.Count() > 0 && position == previous)
    return;
  if (track.trackPositionCount >= track.maxTrackPositions)
    return;
  if (track.points.Insert(position))
    ++track.trackPositionCount;
}

TrackPoint MarkerOnPlane(const MapViewState& view) {
  return {ClampToInt32(std::int64_t{view.lastMarkerX} + view.viewBox.left),
          ClampToInt32(std::int64_t{view.lastMarkerY} + view.viewBox.top)};
}

// The map drawn afresh, so that an external track loaded before the run's first fix shows at
// once; the marker on the position.
void PlotFirstPosition(platform::DeviceContext& dc, MapScene& scene, TrackPoint position) {
  MapViewState& view = scene.view;
  DrawMapArea(dc, scene, SquareOf(view.plotBox), TopLeftOf(view.viewBox));
  PlaceMarker(dc, scene, WindowPixel(position, TopLeftOf(view.viewBox)));
  view.plotStarted = 1;
}

}  // namespace

void PlotPosition(platform::DeviceContext& dc, MapScene& scene, bool store, PlanePoint position) {
  MapViewState& view = scene.view;
  const TrackPoint pixel = ToTrackPixel(scene.plane, position);
  view.lastPosition = position;
  platform::DeviceContext square = ClippedTo(dc, SquareOf(view.plotBox));
  if (view.plotStarted == 0) {
    PlotFirstPosition(square, scene, pixel);
    return;
  }
  if (view.markerBackgroundValid != 0)
    RestoreMarkerBackground(square, view, scene.geometry);
  if (store)
    DrawLoggedMark(square, scene, {view.lastMarkerX, view.lastMarkerY});
  const TrackPoint previous = MarkerOnPlane(view);
  FollowPosition(square, scene, pixel);
  if (store)
    StorePosition(scene, pixel, previous);
  const platform::Point window = WindowPixel(pixel, TopLeftOf(view.viewBox));
  PlaceMarker(square, scene, window);
}

}  // namespace gradlog
