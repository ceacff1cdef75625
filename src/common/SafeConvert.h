#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace gradlog {

// Values from a hand-edited settings file can make any scale infinite or NaN; a plain cast of
// such a value to an integer is undefined behaviour, so every float that becomes an int goes
// through here: truncated toward zero, clamped to the int32 range, NaN gives 0.
inline std::int32_t TruncateToInt32(double value) {
  if (std::isnan(value))
    return 0;
  if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

// Integer arithmetic on settings is done in 64 bits and brought back with this clamp.
inline std::int32_t ClampToInt32(std::int64_t value) {
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace gradlog
