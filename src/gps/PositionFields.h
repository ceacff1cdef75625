#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace gradlog {

inline constexpr std::size_t LATITUDE_DEGREE_DIGITS = 2;
inline constexpr std::size_t LONGITUDE_DEGREE_DIGITS = 3;

// "ddmm.mmmm" (or "dddmm.mmmm" with three degree digits) as degrees: the degree digits, two
// minute digits, then nothing or a point and decimals; the minutes are read from at most 8
// characters. nullopt for anything else (a cut field, a letter): such a field is no position.
std::optional<double> AngleFieldDegrees(std::string_view field, std::size_t degreeDigits);

// The decimal number at the start of a grid coordinate field; nullopt when there is none, so
// that an empty coordinate is not taken as 0, and for a number too large to be finite.
std::optional<double> GridFieldValue(std::string_view field);

// From the units a sentence's grid coordinates arrive in to the run's distance units:
// metres, except that "Leica TPS" names its unit in field 11 ('F' for feet).
double GridUnitFactor(std::string_view sentence, std::int32_t gpsDataType,
                      std::int32_t distanceUnits);

}  // namespace gradlog
