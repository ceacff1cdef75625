#pragma once

#include <cstdint>

namespace gradlog {

// The white (unused) part of the speed bar, in pixels: (speedMax - speed) x pixelsPerUnit,
// truncated, kept within 0..curveWidth. A scale made infinite by equal speed limits, or any
// NaN, must not reach an integer conversion: an infinite or over-long length leaves the bar
// empty, a negative one fills it, and NaN (no speed measurable on that scale) leaves it empty.
std::int32_t SpeedBarWhiteLength(float speedMax, float speed, float pixelsPerUnit,
                                 std::int32_t curveWidth);

}  // namespace gradlog
