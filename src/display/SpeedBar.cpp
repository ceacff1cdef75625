#include "display/SpeedBar.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/SafeConvert.h"

namespace gradlog {

float SpeedPixelsPerUnit(std::int32_t curveWidth, float speedMin, float speedMax) {
  const float span = speedMax - speedMin;
  if (span == 0.0f)
    return std::numeric_limits<float>::infinity();
  return static_cast<float>(curveWidth) / span;
}

std::int32_t SpeedBarWhiteLength(float speedMax, float speed, float pixelsPerUnit,
                                 std::int32_t curveWidth) {
  const std::int32_t width = std::max<std::int32_t>(curveWidth, 0);
  // In float, as the scale itself is stored.
  const float length = (speedMax - speed) * pixelsPerUnit;
  if (std::isnan(length))
    return width;
  return std::clamp(TruncateToInt32(length), 0, width);
}

}  // namespace gradlog
