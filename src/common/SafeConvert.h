#pragma once

#include <algorithm>
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

// A decimal value kept as a 32-bit float, as the instrument's readings and the scales are:
// beyond the float range it stays at the largest float of its sign instead of becoming
// infinite; NaN gives 0.
inline float ClampToFloat(double value) {
  constexpr double FLOAT_MAX = std::numeric_limits<float>::max();
  if (std::isnan(value))
    return 0.0f;
  return static_cast<float>(std::clamp(value, -FLOAT_MAX, FLOAT_MAX));
}

}  // namespace gradlog
