#include "display/MapMarker.h"

#include <algorithm>

#include "display/MapMarks.h"

namespace gradlog {

namespace {

// The marker's block is D x D with its centre H in from the top-left; the bitmap has a pixel
// to spare each way.
void SaveMarkerBackground(platform::DeviceContext& dc, MapViewState& view,
                          const MapGeometry& geometry, platform::Point at) {
  const int diameter = std::max(geometry.markerDiameter, 1);
  if (!view.markerBackground || view.markerBackground->Width() != diameter + 1)
    view.markerBackground.emplace(diameter + 1, diameter + 1);
  platform::BitmapContext background(*view.markerBackground);
  background.BitBlt(0, 0, diameter, diameter, dc, at.x - geometry.markerHalf,
                    at.y - geometry.markerHalf);
}

}  // namespace

void PlaceMarker(platform::DeviceContext& dc, MapScene& scene, platform::Point at) {
  MapViewState& view = scene.view;
  SaveMarkerBackground(dc, view, scene.geometry, at);
  DrawPositionMarker(dc, at.x, at.y, scene.geometry.markerHalf, scene.pens.currentPen);
  view.lastMarkerX = at.x;
  view.lastMarkerY = at.y;
  view.markerBackgroundValid = 1;
}

void RestoreMarkerBackground(platform::DeviceContext& dc, MapViewState& view,
                             const MapGeometry& geometry) {
  if (!view.markerBackground)
    return;
  platform::BitmapContext background(*view.markerBackground);
  const int diameter = view.markerBackground->Width() - 1;
  dc.BitBlt(view.lastMarkerX - geometry.markerHalf, view.lastMarkerY - geometry.markerHalf,
            diameter, diameter, background, 0, 0);
}

}  // namespace gradlog
