#pragma once

#include <cstdint>

#include "config/SettingChoices.h"

namespace gradlog {

// The gpsDataType values the sentence path treats apart, named after their list entries.
inline constexpr std::int32_t GPS_DATA_TYPE_GGA_GSA = ChoiceIndex(GPS_DATA_TYPES, "GGA/GSA");
inline constexpr std::int32_t GPS_DATA_TYPE_GGA = ChoiceIndex(GPS_DATA_TYPES, "GGA");
inline constexpr std::int32_t GPS_DATA_TYPE_POS = ChoiceIndex(GPS_DATA_TYPES, "POS");
inline constexpr std::int32_t GPS_DATA_TYPE_GLL = ChoiceIndex(GPS_DATA_TYPES, "GLL");
inline constexpr std::int32_t GPS_DATA_TYPE_LEICA_TPS = ChoiceIndex(GPS_DATA_TYPES, "Leica TPS");

}  // namespace gradlog
