#pragma once

#include <set>
#include <string>

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
  // With one pixel a unit, the position whose plane pixel is (x, y).
  void PlotPixel(bool store, int x, int y) { Plot(store, 106.0 - y, x - 106.0); }

  void LoadExternal(std::initializer_list<TrackPoint> points) {
    external.points.Reset(points.size());
    for (const TrackPoint p : points)
      external.points.Append(p);
    external.points.SortByY();
    external.loaded = 1;
  }

  char At(int x, int y) const { return MapShade(dc.GetPixel(x, y)); }
  std::set<char> ShadesInSquare() const {
    std::set<char> shades;
    for (int y = 0; y < MAP_SQUARE; ++y) {
      for (int x = 0; x < MAP_SQUARE; ++x)
        shades.insert(At(x, y));
    }
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
