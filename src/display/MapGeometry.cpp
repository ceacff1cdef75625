#include "display/MapGeometry.h"

#include <algorithm>

#include "common/SafeConvert.h"

namespace gradlog {

namespace {

// The map scale dialog never stores less than 1; a hand-edited file may, and the map then
// uses the scale that dialog would have corrected it to.
constexpr std::int32_t MIN_MAP_SCALE = 1;

// From this size step on the current-position marker keeps one large size.
constexpr std::int32_t LARGE_MARKER_SIZE = 5;
constexpr std::int32_t LARGE_MARKER_DIAMETER = 19;
constexpr std::int32_t LARGE_MARKER_HALF = 9;

}  // namespace

double MapPixelsPerUnit(std::int32_t extent, std::int32_t mapScale) {
  return static_cast<double>(extent) / static_cast<double>(std::max(mapScale, MIN_MAP_SCALE));
}

void ComputeMapExtent(MapGeometry& map, std::int32_t curveWidth, std::int32_t curveHeight,
                      const SurveySettings& settings) {
  map.extent = curveWidth - 3;
  map.halfWidth = (curveWidth - 3) / 2;
  map.halfHeight = (curveHeight - 3) / 2;
  map.pixelsPerUnit = MapPixelsPerUnit(map.extent, settings.mapScale);
}

void SetMapMarkerSize(MapGeometry& map, std::int32_t size) {
  // Sizes below the options window's smallest step (0) would make the marker's bitmap empty
  // or negative; they draw the smallest marker instead. The setting itself is kept.
  const std::int32_t step = std::max(size, 0);
  if (step >= LARGE_MARKER_SIZE) {
    map.markerDiameter = LARGE_MARKER_DIAMETER;
    map.markerHalf = LARGE_MARKER_HALF;
  } else {
    map.markerDiameter = 2 * step + 7;
    map.markerHalf = step + 3;
  }
}

void ComputeMapMarker(MapGeometry& map, std::int32_t curveWidth, const SurveySettings& settings) {
  SetMapMarkerSize(map, settings.mapCurrentMarkerSize);
  const std::int64_t percent = 10 + 5 * static_cast<std::int64_t>(settings.mapMarginStep);
  map.marginPx = TruncateToInt32(static_cast<double>(percent * curveWidth) * 0.01);
  map.marginOuterPx = ClampToInt32(static_cast<std::int64_t>(map.marginPx) + 20);
}

}  // namespace gradlog
