#include <cstdint>

#include "display/MapArea.h"
#include "display/MapMarker.h"
#include "display/MapTrackDrawing.h"
#include "display/MapView.h"
#include "display/MapViewBox.h"

namespace gradlog {

TrackPlane MapTrackPlane(const MapGeometry& geometry, const GpsFix& fix) {
  return {.pixelsPerUnit = geometry.pixelsPerUnit,
          .halfWidth = geometry.halfWidth,
          .halfHeight = geometry.halfHeight,
          .originNorth = fix.originNorth,
          .originEast = fix.originEast};
}

void ResetMapView(MapViewState& view, const MapGeometry& geometry, const SurveySettings& settings) {
  view.plotBox = {.left = 0, .right = geometry.extent, .top = 0, .bottom = geometry.extent};
  view.viewBox = view.plotBox;
  view.plotStarted = 0;
  view.lastMarkerX = 0;
  view.lastMarkerY = 0;
  view.lastPosition.reset();
  view.markerBackground.reset();
  view.markerBackgroundValid = 0;
  BuildMapGrid(view.grid, view.plotBox, geometry, settings);
}

void ClearMap(platform::DeviceContext& dc, const MapViewState& view,
              const DrawingResources& drawing) {
  dc.FillRect(SquareOf(view.plotBox), drawing.whiteBrush);
}

void RedrawMap(platform::DeviceContext& dc, MapScene& scene, std::optional<PlanePoint> current) {
  MapViewState& view = scene.view;
  BuildMapGrid(view.grid, view.plotBox, scene.geometry, scene.settings);
  platform::DeviceContext square = ClippedTo(dc, SquareOf(view.plotBox));
  DrawMapArea(square, scene, SquareOf(view.plotBox), TopLeftOf(view.viewBox));
  if (view.plotStarted != 0 && current) {
    PlaceMarker(square, scene,
                WindowPixel(ToTrackPixel(scene.plane, *current), TopLeftOf(view.viewBox)));
  } else {
    view.markerBackgroundValid = 0;
  }
}

void RedrawLoggedTrack(platform::DeviceContext& dc, MapScene& scene) {
  const MapViewState& view = scene.view;
  const platform::Rect whole = SquareOf(view.plotBox);
  platform::DeviceContext square = ClippedTo(dc, whole);
  DrawLoggedTrack(square, scene, MarksShowingIn(whole, TopLeftOf(view.viewBox)),
                  TopLeftOf(view.viewBox));
}

void AdjustViewAfterReload(MapViewState& view, const MapGeometry& geometry, const TrackPlane& plane,
                           PlanePoint last, ViewAdjust adjust) {
  const TrackPoint now = ToTrackPixel(plane, last);
  MapBox& box = view.viewBox;
  if (adjust == ViewAdjust::AfterRescale) {
    TrackPlane before = plane;
    before.pixelsPerUnit = geometry.prevPixelsPerUnit;
    const TrackPoint then = ToTrackPixel(before, last);
    box = MovedBy(box, std::int64_t{now.x} - then.x, std::int64_t{now.y} - then.y);
    return;
  }
  const bool inside =
      now.x > box.left && now.x < box.right && now.y > box.top && now.y < box.bottom;
  if (inside)
    return;
  box = ViewCentredOn(now, geometry);
}

}  // namespace gradlog
