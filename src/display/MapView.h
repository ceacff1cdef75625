#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "config/SurveySettings.h"
#include "display/DrawingResources.h"
#include "display/MapGeometry.h"
#include "gps/GpsState.h"
#include "gps/TrackPlane.h"
#include "platform/gfx/DeviceContext.h"

namespace gradlog {

// A rectangle of pixels with inclusive edges, as the map keeps its boxes.
struct MapBox {
  std::int32_t left = 0;
  std::int32_t right = 212;
  std::int32_t top = 0;
  std::int32_t bottom = 212;
  friend bool operator==(const MapBox&, const MapBox&) = default;
};

// The grid lines in window pixels, ascending. Lines scrolled out at one side are dropped as
// new ones come in at the other, and neither list ever grows past MAX_GRID_LINES.
inline constexpr std::size_t MAX_GRID_LINES = 64;
struct MapGrid {
  float spacing = 0.0f;
  std::vector<float> x;
  std::vector<float> y;
};

// What the map view shows and where; touched on the UI thread only.
struct MapViewState {
  MapBox plotBox;                // the map square in window pixels; grid lines span it
  MapBox viewBox;                // the part of the track plane shown
  std::int32_t plotStarted = 0;  // the run's first position has been plotted
  std::int32_t lastMarkerX = 0;  // window position of the current-position marker
  std::int32_t lastMarkerY = 0;
  std::optional<PlanePoint> lastPosition;            // where the marker stands, in local units
  std::optional<platform::Bitmap> markerBackground;  // the window pixels under the marker
  // 1 when markerBackground may be put back; whoever redraws the window sets it to 0.
  std::int32_t markerBackgroundValid = 0;
  MapGrid grid;
};

// Everything the map draws with and into; the parts belong to their owners.
struct MapScene {
  MapViewState& view;
  const MapGeometry& geometry;
  const SurveySettings& settings;
  const MapResources& pens;
  const DrawingResources& drawing;
  TrackBuffers& track;
  ExternalTrack& external;
  TrackPlane plane;  // the current scale and the run's origin
};

// The plane of the run's map: the geometry's scale and centre, the fix's origin.
TrackPlane MapTrackPlane(const MapGeometry& geometry, const GpsFix& fix);

// The start of a run: the map square and the view at (0, 0), nothing plotted yet, and the
// grid built when mapGridInterval > 0.
void ResetMapView(MapViewState& view, const MapGeometry& geometry, const SurveySettings& settings);

// Grid lines about mapGridInterval apart on the ground, one through the origin's pixel; an
// empty grid when the interval is 0 or less.
void BuildMapGrid(MapGrid& grid, const MapBox& plotBox, const MapGeometry& geometry,
                  const SurveySettings& settings);

// Fills the map square with the white brush.
void ClearMap(platform::DeviceContext& dc, const MapViewState& view,
              const DrawingResources& drawing);

// One position of the run (local units). The first of a run clears the map, draws the grid
// and the marker and stores nothing. Later ones turn the previous marker into a track mark
// when `store` (recording), scroll the picture in steps to keep the position at least the
// margin inside the edges, store the position unless it falls on the marker's pixel, and
// move the marker.
void PlotPosition(platform::DeviceContext& dc, MapScene& scene, bool store, PlanePoint position);

// The whole map drawn anew, for the commands that change its scale, view or options: cleared,
// the grid rebuilt and drawn, the external track, the logged track, and the marker at
// `current` when a position has been plotted in this run.
void RedrawMap(platform::DeviceContext& dc, MapScene& scene, std::optional<PlanePoint> current);

// Every logged point inside the view, at its window position.
void RedrawLoggedTrack(platform::DeviceContext& dc, MapScene& scene);

enum class ViewAdjust { AfterRescale, Other };
// Keeps the view around the last logged position `last` after the track was rebuilt: after a
// rescale the view moves by the difference of its pixels at the new and the previous scale,
// so it keeps its place in the window; otherwise the view is centred on it when it lies on
// or outside the view's edges.
void AdjustViewAfterReload(MapViewState& view, const MapGeometry& geometry, const TrackPlane& plane,
                           PlanePoint last, ViewAdjust adjust);

}  // namespace gradlog
