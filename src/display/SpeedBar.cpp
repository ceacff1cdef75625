#include "display/SpeedBar.h"

#include <algorithm>
#include <cmath>

#include "display/SafeConvert.h"

namespace gradlog {

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
