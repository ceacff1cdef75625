#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "config/SurveySettings.h"
#include "display/DrawingResources.h"
#include "display/MapGeometry.h"
#include "display/MapView.h"
#include "gps/GpsState.h"
#include "platform/gfx/DeviceContext.h"

namespace gradlog::testing {

inline constexpr int CURVE_WINDOW = 215;
inline constexpr int MAP_SQUARE = 213;

// A pixel as one letter: 'w' white, '-' grid grey, 'c' the current-position marker, 's' the
// logged (saved) track, 'e' the external track, '?' anything else. The default map colours.
inline char MapShade(platform::Color color) {
  switch (color) {
    case platform::Rgb(255, 255, 255):
      return 'w';
    case platform::Rgb(192, 192, 192):
      return '-';
    case platform::Rgb(0, 0, 255):
      return 'c';
    case platform::Rgb(255, 0, 0):
      return 's';
    case platform::Rgb(0, 255, 0):
      return 'e';
    default:
      return '?';
  }
}

// With one pixel a unit and the first position at the origin, the position whose plane pixel
// is (x, y).
inline PlanePoint AtPixel(int x, int y) {
  return {106.0 - y, x - 106.0};
}

// A run's map on a white curve window, its view reset for the settings and geometry given.
struct MapRig {
  SurveySettings settings;
  MapGeometry geometry;
  MapViewState view;
  MapResources pens;
  DrawingResources drawing = CreateDrawingResources();
  TrackBuffers track;
  ExternalTrack external;
  GpsFix fix;
  platform::Bitmap window{CURVE_WINDOW, CURVE_WINDOW, platform::Rgb(255, 255, 255)};
  platform::BitmapContext dc{window};

  explicit MapRig(float gridInterval = 1.5f, double pixelsPerUnit = 21.2) {
    settings.mapGridInterval = gridInterval;
    geometry.pixelsPerUnit = pixelsPerUnit;
    geometry.prevPixelsPerUnit = pixelsPerUnit;
    pens = CreateMapResources(settings);
    track.points.Reset(static_cast<std::size_t>(track.trackBufferSize));
    ResetMapView(view, geometry, settings);
  }

  MapScene Scene() {
    return {view, geometry, settings, pens, drawing, track, external, MapTrackPlane(geometry, fix)};
  }
  void Plot(bool store, double north, double east) {
    MapScene scene = Scene();
    PlotPosition(dc, scene, store, {north, east});
  }
  void PlotPixel(bool store, int x, int y) {
    const PlanePoint at = AtPixel(x, y);
    Plot(store, at.north, at.east);
  }
  void Redraw(std::optional<PlanePoint> current) {
    MapScene scene = Scene();
    RedrawMap(dc, scene, current);
  }

  void LoadExternal(const std::vector<TrackPoint>& points) {
    external.points.Reset(points.size());
    for (const TrackPoint p : points)
      external.points.Append(p);
    external.points.SortByY();
    external.loaded = 1;
  }

  char At(int x, int y) const { return MapShade(dc.GetPixel(x, y)); }
  // The shades from (left, top) to (right, bottom) inclusive, a line a row.
  std::string Picture(int left = 0, int top = 0, int right = MAP_SQUARE - 1,
                      int bottom = MAP_SQUARE - 1) const {
    std::string rows;
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x)
        rows += At(x, y);
      rows += '\n';
    }
    return rows;
  }
  std::set<char> ShadesInSquare() const {
    const std::string picture = Picture();
    std::set<char> shades(picture.begin(), picture.end());
    shades.erase('\n');
    return shades;
  }
  // The x of every pixel of row y with the given shade, as "x x x ".
  std::string Where(char shade, int y) const {
    std::string xs;
    for (int x = 0; x < CURVE_WINDOW; ++x)
      xs += At(x, y) == shade ? std::to_string(x) + " " : "";
    return xs;
  }
  // The y of every pixel of column x with the given shade.
  std::string WhereDown(char shade, int x) const {
    std::string ys;
    for (int y = 0; y < CURVE_WINDOW; ++y)
      ys += At(x, y) == shade ? std::to_string(y) + " " : "";
    return ys;
  }
};

// "from from+1 ... to ", as Where and WhereDown write a span of pixels.
inline std::string Span(int from, int to) {
  std::string at;
  for (int i = from; i <= to; ++i)
    at += std::to_string(i) + " ";
  return at;
}

}  // namespace gradlog::testing
