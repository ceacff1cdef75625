#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "gps/GpsState.h"

namespace gradlog {

// What a fix writes into the GPS boxes of the logging screen. nullopt: the box is left as it
// is; an empty text: the box is blanked; any other text: the box shows it.
struct FixBoxTexts {
  std::optional<std::string> satellites;   // "Sat: %2d"
  std::optional<std::string> quality;      // "NO FIX", "AGPS", "DGPS", "RTK3", "RTK4", "RTK5"
  std::optional<std::string> pdop;         // "P:%3.1f"
  std::optional<std::string> hemisphere1;  // "N" / "S"
  std::optional<std::string> coordinate1;  // latitude text, or "N %10.2f"
  std::optional<std::string> hemisphere2;  // "E" / "W"
  std::optional<std::string> coordinate2;  // longitude text, or "E %10.2f"
};

// One fix decoded by the sentence selection. Quantities the sentence did not carry (or whose
// field is missing) are nullopt.
struct DecodedFix {
  bool valid = true;  // every field test passed: the position may be used
  std::optional<std::int32_t> satellites;
  std::optional<std::int32_t> quality;  // "POS": one more than the received digit
  std::optional<float> dop;
  std::optional<double> latitude;   // signed degrees
  std::optional<double> longitude;  // signed degrees
  std::optional<double> north;      // local grid, in the run's distance units
  std::optional<double> east;
  std::optional<double> timeOfDay;  // UTC seconds since midnight, from the time field
  FixBoxTexts texts;                // an invalid fix shows "     N/A     " in both lines
};

// Decodes the fields `selection` names from `sentence` (which the caller has found to hold
// the selection's tag). `distanceUnits` converts "Leica TPS" and local-grid coordinates.
DecodedFix DecodeFix(std::string_view sentence, const GpsSentenceSelection& selection,
                     std::int32_t gpsDataType, std::int32_t distanceUnits);

// "hhmmss.ss" as seconds since midnight; nullopt when the text is not such a time.
std::optional<double> ParseTimeOfDay(std::string_view field);

// PDOP (field 16 of a GSA sentence, the address being field 1) as "P:%3.1f"; nullopt when
// the sentence has no such field.
std::optional<std::string> GsaPdopText(std::string_view sentence);

}  // namespace gradlog
