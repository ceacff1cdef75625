#include "gradsim/NmeaFormat.h"

#include <cmath>
#include <cstdio>

namespace gradsim {

namespace {

std::string ZeroPadded(std::int64_t value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width)
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  return digits;
}

// Rounds in whole units of the last printed digit so that 59.99999 minutes carries into
// the degrees instead of printing as 60.0000.
std::string FormatAngle(double degrees, int degreeDigits, int decimals) {
  std::int64_t scale = 1;
  for (int i = 0; i < decimals; ++i)
    scale *= 10;
  const std::int64_t units = std::llround(std::fabs(degrees) * 60.0 * static_cast<double>(scale));
  const std::int64_t perDegree = 60 * scale;
  const std::int64_t rest = units % perDegree;
  std::string text = ZeroPadded(units / perDegree, degreeDigits) + ZeroPadded(rest / scale, 2);
  if (decimals > 0)
    text += "." + ZeroPadded(rest % scale, decimals);
  return text;
}

}  // namespace

std::uint8_t NmeaChecksum(std::string_view body) {
  std::uint8_t sum = 0;
  for (const char c : body)
    sum ^= static_cast<std::uint8_t>(c);
  return sum;
}

std::string NmeaSentence(std::string_view body) {
  char tail[8];
  std::snprintf(tail, sizeof tail, "*%02X\r\n", NmeaChecksum(body));
  std::string sentence = "$";
  sentence += body;
  sentence += tail;
  return sentence;
}

std::string FormatLatitude(double degrees, int decimals) {
  return FormatAngle(degrees, 2, decimals);
}

std::string FormatLongitude(double degrees, int decimals) {
  return FormatAngle(degrees, 3, decimals);
}

char LatitudeHemisphere(double degrees) {
  return degrees < 0.0 ? 'S' : 'N';
}

char LongitudeHemisphere(double degrees) {
  return degrees < 0.0 ? 'W' : 'E';
}

std::string FormatFixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string result = text;
  if (result.front() == '-' && result.find_first_not_of("-0.") == std::string::npos)
    result.erase(0, 1);
  return result;
}

}  // namespace gradsim
