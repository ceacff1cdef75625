#include "gps/PositionFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "gps/GpsDataTypes.h"
#include "gps/LocalPlane.h"
#include "gps/SentenceFields.h"

namespace gradlog {

namespace {

// Where "Leica TPS" puts the unit letter of its grid coordinates ('F' for feet).
constexpr std::int32_t LEICA_UNIT_FIELD = 11;
constexpr double METRES_PER_FOOT = 0.3048;
// The total station's metres become feet in single precision, unlike every other conversion.
constexpr double LEICA_FEET_PER_METRE = 3.28084f;
// Five decimals of a minute, under two centimetres; receivers that send more lose nothing the
// map could show.
constexpr std::size_t MINUTES_CHARACTERS = 8;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), IsDigit);
}

bool IsDecimalCharacter(char c) {
  return IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
}

// A number beyond double's range, read as the C conversion reads it: too small gives 0 or a
// subnormal, too large is not finite and gives none.
std::optional<double> OutOfRangeValue(std::string_view number) {
  const std::string text(number);
  const double value = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(value))
    return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> AngleFieldDegrees(std::string_view field, std::size_t degreeDigits) {
  const std::size_t whole = degreeDigits + 2;
  if (field.size() < whole || !AllDigits(field.substr(0, whole)))
    return std::nullopt;
  if (field.size() > whole && (field[whole] != '.' || !AllDigits(field.substr(whole + 1))))
    return std::nullopt;
  double degrees = 0.0;
  for (const char digit : field.substr(0, degreeDigits))
    degrees = degrees * 10.0 + (digit - '0');
  const std::string minutes(field.substr(degreeDigits, MINUTES_CHARACTERS));
  return degrees + std::strtod(minutes.c_str(), nullptr) / 60.0;
}

std::optional<double> GridFieldValue(std::string_view field) {
  std::size_t length = 0;
  while (length < field.size() && IsDecimalCharacter(field[length]))
    ++length;
  std::string_view number = field.substr(0, length);
  // The C conversion's one optional sign: from_chars takes only '-'.
  if (number.starts_with('+')) {
    number.remove_prefix(1);
    if (number.starts_with('+') || number.starts_with('-'))
      return std::nullopt;
  }
  double value = 0.0;
  const std::from_chars_result result =
      std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range)
    return OutOfRangeValue(number);
  if (result.ec != std::errc())
    return std::nullopt;
  return value;
}

double GridUnitFactor(std::string_view sentence, std::int32_t gpsDataType,
                      std::int32_t distanceUnits) {
  const bool runInFeet = distanceUnits != 0;
  if (gpsDataType != GPS_DATA_TYPE_LEICA_TPS)
    return runInFeet ? FEET_PER_METRE : 1.0;
  const std::optional<std::string_view> unit = GetSentenceField(sentence, LEICA_UNIT_FIELD);
  const bool sentInFeet = unit && unit->starts_with('F');
  if (runInFeet)
    return sentInFeet ? 1.0 : LEICA_FEET_PER_METRE;
  return sentInFeet ? METRES_PER_FOOT : 1.0;
}

}  // namespace gradlog
