#include "display/MapTrackDrawing.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "display/MapMarks.h"
#include "gps/TrackPlane.h"

namespace gradlog {

namespace {

struct MarkStyle {
  std::int32_t size;
  const platform::PenHandle& pen;
  const platform::BrushHandle& brush;
  platform::Color color;
};

platform::Color ColorOf(std::int32_t setting) {
  return static_cast<platform::Color>(setting) & 0x00FFFFFF;
}

MarkStyle LoggedStyle(const MapScene& scene) {
  return {scene.settings.mapSavedPointSize, scene.pens.savedPen, scene.pens.savedBrush,
          ColorOf(scene.settings.mapSavedColor)};
}

MarkStyle ExternalStyle(const MapScene& scene) {
  return {scene.settings.mapExternalPointSize, scene.pens.externalPen, scene.pens.externalBrush,
          ColorOf(scene.settings.mapExternalColor)};
}

void DrawMark(platform::DeviceContext& dc, platform::Point at, const MarkStyle& style) {
  DrawTrackPoint(dc, at.x, at.y, style.size, style.pen, style.brush, style.color);
}

// Boxes up to this many pixels keep a note of the centres drawn; the map's are about 220 x 220.
constexpr std::int64_t MAX_NOTED_PIXELS = std::int64_t{1} << 20;

// Points on one pixel draw the same mark, and a thinned survey at a small scale puts dozens
// on each: every centre is drawn once.
class DrawnCentres {
 public:
  explicit DrawnCentres(const MapBox& box)
      : left_(box.left),
        top_(box.top),
        width_(std::int64_t{box.right} - box.left + 1),
        height_(std::int64_t{box.bottom} - box.top + 1) {
    const bool noted = width_ > 0 && height_ > 0 && width_ <= MAX_NOTED_PIXELS &&
                       height_ <= MAX_NOTED_PIXELS && width_ * height_ <= MAX_NOTED_PIXELS;
    if (noted)
      drawn_.assign(static_cast<std::size_t>(width_ * height_), false);
  }
  // True the first time for each pixel of the box; always true for a box too large to note.
  bool First(TrackPoint p) {
    if (drawn_.empty())
      return true;
    const auto at = static_cast<std::size_t>((std::int64_t{p.y} - top_) * width_ + p.x - left_);
    if (drawn_[at])
      return false;
    drawn_[at] = true;
    return true;
  }

 private:
  std::int64_t left_;
  std::int64_t top_;
  std::int64_t width_;
  std::int64_t height_;
  std::vector<bool> drawn_;
};

void DrawTrackMarks(platform::DeviceContext& dc, SortedTrack& track, const MapBox& box,
                    TrackPoint origin, const MarkStyle& style) {
  const auto points = track.Points();
  DrawnCentres drawn(box);
  for (std::size_t i = track.SeekRow(box.top); i < points.size() && points[i].y <= box.bottom;
       ++i) {
    const TrackPoint p = points[i];
    if (p.x < box.left || p.x > box.right || !drawn.First(p))
      continue;
    DrawMark(dc, WindowPixel(p, origin), style);
  }
}

std::int32_t WindowCoordinate(std::int64_t value) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(value, -TRACK_PLANE_LIMIT, TRACK_PLANE_LIMIT));
}

}  // namespace

platform::Point WindowPixel(TrackPoint planePoint, TrackPoint windowOrigin) {
  return {WindowCoordinate(std::int64_t{planePoint.x} - windowOrigin.x),
          WindowCoordinate(std::int64_t{planePoint.y} - windowOrigin.y)};
}

void DrawLoggedTrack(platform::DeviceContext& dc, MapScene& scene, const MapBox& planeBox,
                     TrackPoint windowOrigin) {
  DrawTrackMarks(dc, scene.track.points, planeBox, windowOrigin, LoggedStyle(scene));
}

void DrawLoggedMark(platform::DeviceContext& dc, const MapScene& scene, platform::Point at) {
  DrawMark(dc, at, LoggedStyle(scene));
}

void DrawExternalTrack(platform::DeviceContext& dc, MapScene& scene, const MapBox& planeBox,
                       TrackPoint windowOrigin) {
  DrawTrackMarks(dc, scene.external.points, planeBox, windowOrigin, ExternalStyle(scene));
}

}  // namespace gradlog
