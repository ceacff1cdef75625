#include "gps/FixDecoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/BoxText.h"
#include "common/NumberFields.h"
#include "common/SafeConvert.h"
#include "gps/GpsDataTypes.h"
#include "gps/LocalPlane.h"
#include "gps/PositionFields.h"
#include "gps/SentenceFields.h"
#include "gps/SentenceSelection.h"

namespace gradlog {

namespace {

// Screen texts are UTF-8.
constexpr std::string_view DEGREE_SIGN = "\xC2\xB0";
constexpr std::string_view NOT_AVAILABLE = "     N/A     ";
constexpr std::int32_t GSA_PDOP_FIELD = 16;
// By the first character of the quality field, '0' to '5'.
constexpr std::array<std::string_view, 6> QUALITY_WORDS{"NO FIX", "AGPS", "DGPS",
                                                        "RTK3",   "RTK4", "RTK5"};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), IsDigit);
}

// The integer at the start of the field, as a C "atoi" reads it but clamped: "" and "x" read
// as 0.
std::int32_t LeadingInteger(std::string_view field) {
  std::size_t i = 0;
  const bool negative = !field.empty() && field[0] == '-';
  if (!field.empty() && (field[0] == '-' || field[0] == '+'))
    ++i;
  constexpr std::int64_t BEYOND_INT32 = std::int64_t{1} << 32;
  std::int64_t value = 0;
  for (; i < field.size() && IsDigit(field[i]); ++i)
    value = std::min(value * 10 + (field[i] - '0'), BEYOND_INT32);
  return ClampToInt32(negative ? -value : value);
}

// A text of digits and a point, such as ".038" or "07.038", as a number; "" is 0.
double PlainDecimal(std::string_view text) {
  return std::strtod(std::string(text).c_str(), nullptr);
}

// dd°mm'ss.ssss with the seconds from the decimals of the minutes; a longitude's leading
// '0' degree digit is not shown.
std::string AngleText(std::string_view field, std::size_t degreeDigits) {
  std::string_view degrees = field.substr(0, degreeDigits);
  if (degreeDigits == LONGITUDE_DEGREE_DIGITS && degrees.starts_with('0'))
    degrees.remove_prefix(1);
  const double seconds = PlainDecimal(field.substr(degreeDigits + 2)) * 60.0;
  std::string text(degrees);
  text += DEGREE_SIGN;
  text += field.substr(degreeDigits, 2);
  text += '\'';
  // Left-aligned in seven characters; a '0' flag would have no effect beside the '-'.
  text += BoxText("%-7.4f", seconds);
  return text;
}

// One angle of the fix: the sign from its hemisphere field, the size from its own field.
struct AngleParts {
  int sign = 0;
  std::optional<double> degrees;

  std::optional<double> Signed() const {
    if (sign == 0 || !degrees)
      return std::nullopt;
    return sign * *degrees;
  }
};

// Decodes the selected fields in the table's order: what a field shows can depend on the
// tests of the fields before it (a hemisphere letter shows only while the fix is valid).
class FieldDecoder {
 public:
  FieldDecoder(std::string_view sentence, std::int32_t gpsDataType, std::int32_t distanceUnits)
      : sentence_(sentence), gpsDataType_(gpsDataType), distanceUnits_(distanceUnits) {}

  void Decode(std::int32_t role, std::optional<std::string_view> field) {
    switch (role) {
      case GPS_ROLE_SATELLITES:
        return Satellites(field);
      case GPS_ROLE_FIX_QUALITY:
        return Quality(field);
      case GPS_ROLE_LATITUDE_HEMISPHERE:
        return Hemisphere(field, 'N', 'S', latitude_, fix_.texts.hemisphere1);
      case GPS_ROLE_LATITUDE:
        return Angle(field, LATITUDE_DEGREE_DIGITS, latitude_, fix_.texts.coordinate1);
      case GPS_ROLE_LONGITUDE_HEMISPHERE:
        return Hemisphere(field, 'E', 'W', longitude_, fix_.texts.hemisphere2);
      case GPS_ROLE_LONGITUDE:
        return Angle(field, LONGITUDE_DEGREE_DIGITS, longitude_, fix_.texts.coordinate2);
      case GPS_ROLE_PDOP:
      case GPS_ROLE_HDOP:
      case GPS_ROLE_GDOP:
        return Dop(field);
      case GPS_ROLE_NORTH:
        return GridCoordinate(field, "N %10.2f", fix_.north, fix_.texts.coordinate1);
      case GPS_ROLE_EAST:
        return GridCoordinate(field, "E %10.2f", fix_.east, fix_.texts.coordinate2);
      default:
        return;
    }
  }

  DecodedFix Finish() {
    fix_.latitude = latitude_.Signed();
    fix_.longitude = longitude_.Signed();
    if (!fix_.valid) {
      fix_.texts.coordinate1 = std::string(NOT_AVAILABLE);
      fix_.texts.coordinate2 = std::string(NOT_AVAILABLE);
    }
    return fix_;
  }

 private:
  void Satellites(std::optional<std::string_view> field) {
    // A missing field is shown, and tested, as 0 satellites.
    const std::int32_t count = field ? LeadingInteger(*field) : 0;
    if (field)
      fix_.satellites = count;
    if (count < 3)
      fix_.valid = false;
    fix_.texts.satellites = BoxText("Sat: %2d", count);
  }

  void Quality(std::optional<std::string_view> field) {
    fix_.texts.quality = std::string();
    if (!field)
      return;
    std::int32_t quality = LeadingInteger(*field);
    // "POS" counts from 0 where the warning's quality scale counts from 1.
    if (gpsDataType_ == GPS_DATA_TYPE_POS)
      quality = ClampToInt32(std::int64_t{quality} + 1);
    const bool ggaType = gpsDataType_ == GPS_DATA_TYPE_GGA_GSA || gpsDataType_ == GPS_DATA_TYPE_GGA;
    if (ggaType && quality == 0)
      fix_.valid = false;
    fix_.quality = quality;
    const char first = field->empty() ? '\0' : field->front();
    if (first >= '0' && first <= '5')
      fix_.texts.quality = std::string(QUALITY_WORDS[static_cast<std::size_t>(first - '0')]);
  }

  void Hemisphere(std::optional<std::string_view> field, char positive, char negative,
                  AngleParts& angle, std::optional<std::string>& text) {
    const char letter = field && !field->empty() ? field->front() : '\0';
    angle.sign = letter == positive ? 1 : letter == negative ? -1 : 0;
    if (angle.sign == 0)
      fix_.valid = false;
    text = fix_.valid ? std::string(1, letter) : std::string();
  }

  void Angle(std::optional<std::string_view> field, std::size_t degreeDigits, AngleParts& angle,
             std::optional<std::string>& text) {
    angle.degrees = field ? AngleFieldDegrees(*field, degreeDigits) : std::nullopt;
    if (!angle.degrees) {
      fix_.valid = false;
      return;
    }
    if (fix_.valid)
      text = AngleText(*field, degreeDigits);
  }

  void Dop(std::optional<std::string_view> field) {
    fix_.texts.pdop = std::string();
    if (!field)
      return;
    fix_.dop = NumberFieldAsFloat(*field);
    fix_.texts.pdop = BoxText("P:%3.1f", static_cast<double>(*fix_.dop));
  }

  void GridCoordinate(std::optional<std::string_view> field, const char* format,
                      std::optional<double>& value, std::optional<std::string>& text) {
    const std::optional<double> number = field ? GridFieldValue(*field) : std::nullopt;
    // A number so large that the unit factor makes it infinite is no position either.
    const double converted =
        number ? *number * GridUnitFactor(sentence_, gpsDataType_, distanceUnits_) : 0.0;
    if (!number || !std::isfinite(converted)) {
      fix_.valid = false;
      return;
    }
    value = converted;
    text = BoxText(format, converted);
  }

  std::string_view sentence_;
  std::int32_t gpsDataType_;
  std::int32_t distanceUnits_;
  DecodedFix fix_;
  AngleParts latitude_;
  AngleParts longitude_;
};

}  // namespace

DecodedFix DecodeFix(std::string_view sentence, const GpsSentenceSelection& selection,
                     std::int32_t gpsDataType, std::int32_t distanceUnits) {
  FieldDecoder decoder(sentence, gpsDataType, distanceUnits);
  const std::int32_t entries =
      std::clamp(selection.fieldCount, 0, static_cast<std::int32_t>(selection.fieldRole.size()));
  for (std::size_t i = 0; i < static_cast<std::size_t>(entries); ++i)
    decoder.Decode(selection.fieldRole[i], GetSentenceField(sentence, selection.fieldIndex[i]));
  DecodedFix fix = decoder.Finish();
  if (selection.timeFieldIndex > 0) {
    if (const auto time = GetSentenceField(sentence, selection.timeFieldIndex))
      fix.timeOfDay = ParseTimeOfDay(*time);
  }
  return fix;
}

std::optional<double> ParseTimeOfDay(std::string_view field) {
  constexpr std::size_t WHOLE_SECONDS_END = 6;
  if (field.size() < WHOLE_SECONDS_END || !AllDigits(field.substr(0, WHOLE_SECONDS_END)))
    return std::nullopt;
  if (field.size() > WHOLE_SECONDS_END &&
      (field[WHOLE_SECONDS_END] != '.' || !AllDigits(field.substr(WHOLE_SECONDS_END + 1))))
    return std::nullopt;
  const std::int32_t hours = LeadingInteger(field.substr(0, 2));
  const std::int32_t minutes = LeadingInteger(field.substr(2, 2));
  const double seconds = PlainDecimal(field.substr(4));
  // 60.x is a leap second.
  if (hours > 23 || minutes > 59 || seconds >= 61.0)
    return std::nullopt;
  return (hours * 60 + minutes) * 60 + seconds;
}

std::optional<std::string> GsaPdopText(std::string_view sentence) {
  const std::optional<std::string_view> field = GetSentenceField(sentence, GSA_PDOP_FIELD);
  if (!field)
    return std::nullopt;
  return BoxText("P:%3.1f", static_cast<double>(NumberFieldAsFloat(*field)));
}

}  // namespace gradlog
