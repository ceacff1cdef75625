#pragma once

#include <cstdint>

namespace gradlog {

// The white (unused) part of the speed bar, in pixels: (speedMax - speed) x pixelsPerUnit,
// truncated, kept within 0..curveWidth. A scale made infinite by equal speed limits, or any
// NaN, must not reach an integer conversion: an infinite or over-long length leaves the bar
// empty, a negative one fills it, and NaN (no speed measurable on that scale) leaves it empty.
// Pixels per speed unit of a bar `curveWidth` wide for the range speedMin..speedMax; an empty
// range gives infinity, which SpeedBarWhiteLength copes with.
float SpeedPixelsPerUnit(std::int32_t curveWidth, float speedMin, float speedMax);

std::int32_t SpeedBarWhiteLength(float speedMax, float speed, float pixelsPerUnit,
                                 std::int32_t curveWidth);

}  // namespace gradlog
