#include "gps/SentenceSelection.h"

#include <array>

namespace gradlog {

namespace {

struct SentenceChoice {
  std::array<char, 4> tag;
  std::int32_t fieldCount;
  std::array<std::int32_t, 7> roles;
  std::array<std::int32_t, 7> fieldIndexes;
  std::int32_t timeFieldIndex;
};

// One entry per gpsDataType 0..7; field numbers count the address ("$GPGGA") as field 1.
// The time field is where each sentence carries its UTC time (POS, GLL and GGK not in field 2).
constexpr std::array<SentenceChoice, 8> SENTENCE_CHOICES{{
    // "GGA/GSA": the DOP comes from GSA sentences instead.
    {{'G', 'G', 'A', '\0'},
     6,
     {GPS_ROLE_SATELLITES, GPS_ROLE_FIX_QUALITY, GPS_ROLE_LATITUDE_HEMISPHERE, GPS_ROLE_LATITUDE,
      GPS_ROLE_LONGITUDE_HEMISPHERE, GPS_ROLE_LONGITUDE},
     {8, 7, 4, 3, 6, 5},
     2},
    // "GGA"
    {{'G', 'G', 'A', '\0'},
     7,
     {GPS_ROLE_SATELLITES, GPS_ROLE_FIX_QUALITY, GPS_ROLE_LATITUDE_HEMISPHERE, GPS_ROLE_LATITUDE,
      GPS_ROLE_LONGITUDE_HEMISPHERE, GPS_ROLE_LONGITUDE, GPS_ROLE_HDOP},
     {8, 7, 4, 3, 6, 5, 9},
     2},
    // "POS"
    {{'P', 'O', 'S', '\0'},
     7,
     {GPS_ROLE_SATELLITES, GPS_ROLE_FIX_QUALITY, GPS_ROLE_LATITUDE_HEMISPHERE, GPS_ROLE_LATITUDE,
      GPS_ROLE_LONGITUDE_HEMISPHERE, GPS_ROLE_LONGITUDE, GPS_ROLE_PDOP},
     {4, 3, 7, 6, 9, 8, 15},
     5},
    // "LLK"
    {{'L', 'L', 'K', '\0'},
     5,
     {GPS_ROLE_SATELLITES, GPS_ROLE_FIX_QUALITY, GPS_ROLE_NORTH, GPS_ROLE_EAST, GPS_ROLE_GDOP},
     {9, 8, 6, 4, 10},
     2},
    // "LLQ"
    {{'L', 'L', 'Q', '\0'},
     5,
     {GPS_ROLE_SATELLITES, GPS_ROLE_FIX_QUALITY, GPS_ROLE_NORTH, GPS_ROLE_EAST, GPS_ROLE_GDOP},
     {9, 8, 6, 4, 10},
     2},
    // "GLL"
    {{'G', 'L', 'L', '\0'},
     4,
     {GPS_ROLE_LATITUDE_HEMISPHERE, GPS_ROLE_LATITUDE, GPS_ROLE_LONGITUDE_HEMISPHERE,
      GPS_ROLE_LONGITUDE},
     {3, 2, 5, 4},
     6},
    // "GGK"
    {{'G', 'G', 'K', '\0'},
     7,
     {GPS_ROLE_SATELLITES, GPS_ROLE_FIX_QUALITY, GPS_ROLE_LATITUDE_HEMISPHERE, GPS_ROLE_LATITUDE,
      GPS_ROLE_LONGITUDE_HEMISPHERE, GPS_ROLE_LONGITUDE, GPS_ROLE_PDOP},
     {10, 9, 6, 5, 8, 7, 11},
     3},
    // "Leica TPS": local grid coordinates in a GGA sentence.
    {{'G', 'G', 'A', '\0'}, 2, {GPS_ROLE_NORTH, GPS_ROLE_EAST}, {3, 5}, 2},
}};

}  // namespace

void SelectGpsSentence(GpsSentenceSelection& selection, std::int32_t type) {
  if (type < 0 || type >= static_cast<std::int32_t>(SENTENCE_CHOICES.size()))
    return;
  const SentenceChoice& choice = SENTENCE_CHOICES[static_cast<std::size_t>(type)];
  selection = GpsSentenceSelection{.tag = choice.tag,
                                   .fieldCount = choice.fieldCount,
                                   .fieldRole = choice.roles,
                                   .fieldIndex = choice.fieldIndexes,
                                   .timeFieldIndex = choice.timeFieldIndex};
}

}  // namespace gradlog
