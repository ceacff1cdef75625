#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace gradsim {

// XOR of the characters between '$' and '*' (pass exactly those characters).
std::uint8_t NmeaChecksum(std::string_view body);

// "$" + body + "*HH" + CR LF.
std::string NmeaSentence(std::string_view body);

// ddmm.mmmm (latitude, 2 degree digits) and dddmm.mmmm (longitude, 3), of the absolute
// value, rounded to `decimals` decimals of a minute; the hemisphere goes into its own field.
std::string FormatLatitude(double degrees, int decimals = 4);
std::string FormatLongitude(double degrees, int decimals = 4);
char LatitudeHemisphere(double degrees);
char LongitudeHemisphere(double degrees);

// printf("%.*f") without the locale and without "-0.00".
std::string FormatFixed(double value, int decimals);

}  // namespace gradsim
