#pragma once

#include <cstdint>

#include "gps/GpsState.h"

namespace gradlog {

// What a selected sentence field carries (gpsFieldRole entries).
inline constexpr std::int32_t GPS_ROLE_SATELLITES = 0;
inline constexpr std::int32_t GPS_ROLE_FIX_QUALITY = 1;
inline constexpr std::int32_t GPS_ROLE_LATITUDE_HEMISPHERE = 2;
inline constexpr std::int32_t GPS_ROLE_LATITUDE = 3;
inline constexpr std::int32_t GPS_ROLE_LONGITUDE_HEMISPHERE = 4;
inline constexpr std::int32_t GPS_ROLE_LONGITUDE = 5;
inline constexpr std::int32_t GPS_ROLE_PDOP = 6;
inline constexpr std::int32_t GPS_ROLE_HDOP = 7;
inline constexpr std::int32_t GPS_ROLE_NORTH = 8;
inline constexpr std::int32_t GPS_ROLE_EAST = 9;
inline constexpr std::int32_t GPS_ROLE_GDOP = 10;

// Sets the sentence tag and the (role, field number) lists that the fix decoder uses for the
// configured gpsDataType. The total station, and any value outside the list of choices (a
// hand-edited settings file), leave the selection as it was.
void SelectGpsSentence(GpsSentenceSelection& selection, std::int32_t gpsDataType);

}  // namespace gradlog
