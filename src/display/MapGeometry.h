#pragma once

#include <cstdint>

#include "config/SurveySettings.h"

namespace gradlog {

// The map view's size, scale and marker, from the curve area and the map settings.
struct MapGeometry {
  std::int32_t extent = 212;
  std::int32_t halfWidth = 106;
  std::int32_t halfHeight = 106;
  double pixelsPerUnit = 21.2;
  double prevPixelsPerUnit = 21.2;
  std::int32_t markerDiameter = 9;
  std::int32_t markerHalf = 4;
  std::int32_t marginPx = 32;
  std::int32_t marginOuterPx = 52;
};

// Pixels per distance unit of a map `extent` pixels wide showing `mapScale` units.
double MapPixelsPerUnit(std::int32_t extent, std::int32_t mapScale);

// Extent, centre and scale for a curve area of the given size; the previous scale is kept.
void ComputeMapExtent(MapGeometry& map, std::int32_t curveWidth, std::int32_t curveHeight,
                      const SurveySettings& settings);
// The current-position marker's diameter and half for a size step of the map options.
void SetMapMarkerSize(MapGeometry& map, std::int32_t size);
// The current-position marker's size and the scroll margins, from the map options.
void ComputeMapMarker(MapGeometry& map, std::int32_t curveWidth, const SurveySettings& settings);

}  // namespace gradlog
