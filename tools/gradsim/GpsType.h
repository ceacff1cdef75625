#pragma once

#include <optional>
#include <string_view>

namespace gradsim {

// The positioning outputs, numbered as the logger's gpsDataType setting.
enum class GpsType {
  GGA_GSA = 0,
  GGA = 1,
  POS = 2,
  LLK = 3,
  LLQ = 4,
  GLL = 5,
  GGK = 6,
  LEICA_TPS = 7,
  RTS_TRIMBLE = 8,
};

inline constexpr int GPS_TYPE_COUNT = 9;

std::string_view GpsTypeName(GpsType type);

// Accepts the names as the logger lists them (any case) or the numbers 0 to 8.
std::optional<GpsType> ParseGpsType(std::string_view text);

}  // namespace gradsim
