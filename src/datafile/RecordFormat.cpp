#include "datafile/RecordFormat.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <optional>

#include "platform/gfx/Utf8.h"

namespace gradlog {

namespace {

constexpr std::size_t NAME_FIELD_WIDTH = 9;
constexpr std::size_t TEXT_FIELD_WIDTH = 11;
constexpr std::int32_t GPS_DATA_TYPE_RTS_TRIMBLE_IN_FILE = 9;
constexpr std::array<char, 4> DIRECTION_LETTERS{'W', 'S', 'N', 'E'};
// The end records' count field has six places.
constexpr std::int32_t END_COUNT_MODULUS = 1000000;

// printf into a record: only the first 26 characters count, so the buffer holds just those
// and a wider number is cut off rather than overflowing.
[[gnu::format(printf, 1, 2)]] Record PrintRecord(const char* format, ...) {
  std::array<char, RECORD_TEXT_LENGTH + 1> text{};
  std::va_list arguments;
  va_start(arguments, format);
  const int length = std::vsnprintf(text.data(), text.size(), format, arguments);
  va_end(arguments);
  const std::size_t kept = length < 0 ? 0 : std::min<std::size_t>(length, RECORD_TEXT_LENGTH);
  return MakeRecord(std::string_view(text.data(), kept));
}

std::optional<float> StationModeInterval(const SurveySettings& settings) {
  switch (settings.surveyMode) {
    case 0:
      return settings.readingInterval;
    case 1:
      return settings.stationIncrementWheel;
    case 2:
      return settings.stationIncrementManual;
    default:
      return std::nullopt;
  }
}

// A wider count would push the tick stamp out of its place, so the field counts on modulo
// 1000000; a negative count is taken the same way, into 0..999999, never with a sign.
std::int32_t EndCountField(std::int32_t count) {
  const std::int32_t remainder = count % END_COUNT_MODULUS;
  return remainder < 0 ? remainder + END_COUNT_MODULUS : remainder;
}

}  // namespace

std::string ToEightBitText(std::string_view utf8, std::size_t maxCharacters) {
  std::string text;
  std::size_t pos = 0;
  while (pos < utf8.size() && text.size() < maxCharacters) {
    const char32_t character = platform::DecodeUtf8(utf8, pos);
    text.push_back(character <= 0xFF ? static_cast<char>(character) : '?');
  }
  return text;
}

Record FormatFormatRecord(const SurveySettings& settings) {
  return PrintRecord("ZEP601  W134%s%1d %1d %1d", settings.gpsInput != 0 ? "GPS" : "GRD",
                     settings.distanceUnits, settings.surveyMode, settings.gradSensorCount);
}

Record FormatNameRecord(const SurveySettings& settings, std::string_view dataFileName) {
  const std::string name = ToEightBitText(dataFileName, NAME_FIELD_WIDTH);
  const std::optional<float> interval = StationModeInterval(settings);
  if (!interval)
    return PrintRecord("H %-9s", name.c_str());
  return PrintRecord("H %-9s%7.3f", name.c_str(), static_cast<double>(*interval));
}

Record FormatPositioningRecord(const SurveySettings& settings, float gpsOffsetX, float gpsOffsetY) {
  const std::int32_t dataType = settings.gpsDataType == GPS_DATA_TYPE_RTS_TRIMBLE
                                    ? GPS_DATA_TYPE_RTS_TRIMBLE_IN_FILE
                                    : settings.gpsDataType;
  const std::int32_t input = settings.instrumentEnabled == 1 ? settings.gpsInput : 0;
  return PrintRecord("G%7.2f%7.2f   %1d%1d%1d", static_cast<double>(gpsOffsetX),
                     static_cast<double>(gpsOffsetY), settings.gpsDisplayRate, dataType, input);
}

Record FormatLineRecord(std::string_view surveyLine) {
  // Names of 10 and 11 characters run on past the 9-character field; none is longer.
  return PrintRecord("L%-9s", ToEightBitText(surveyLine, SURVEY_LINE_MAX).c_str());
}

Record FormatStartStationRecord(double startStation) {
  return PrintRecord("B%11.2f", startStation);
}

Record FormatDirectionRecord(std::int32_t lineDirection, float currentStationIncrement) {
  // A hand-edited settings file can hold any number: outside the table the letter is a space.
  const bool known = lineDirection >= 0 && lineDirection < std::ssize(DIRECTION_LETTERS);
  const char letter = known ? DIRECTION_LETTERS[static_cast<std::size_t>(lineDirection)] : ' ';
  return PrintRecord("A%c      %11.3f", letter, static_cast<double>(currentStationIncrement));
}

Record FormatDateTimeRecord(const platform::LocalTime& now) {
  return PrintRecord("Z%02d%02d%04d %02d:%02d:%02d", now.day, now.month, now.year, now.hour,
                     now.minute, now.second);
}

Record FormatClockRecord(const platform::LocalTime& now, std::uint32_t tick) {
  return PrintRecord("*%02d:%02d:%02d.%03d   %10" PRIu32, now.hour, now.minute, now.second,
                     now.millisecond, tick);
}

Record FormatStationRecord(double currentStation, std::uint32_t tick) {
  return PrintRecord("S%11.2f    %10" PRIu32, currentStation, tick);
}

Record FormatTextRecord(char marker, std::string_view text, std::uint32_t tick) {
  const std::string eightBit = ToEightBitText(text, TEXT_FIELD_WIDTH);
  // %s would stop at a NUL the text may carry; the field is copied by length instead.
  Record record = PrintRecord("%c               %10" PRIu32, marker, tick);
  std::copy(eightBit.begin(), eightBit.end(), record.begin() + 1);
  return record;
}

std::vector<Record> SplitIntoGroupPieces(std::string_view text, char first, char continuation) {
  std::vector<Record> pieces;
  pieces.reserve(
      std::max<std::size_t>(1, (text.size() + GROUP_PIECE_LENGTH - 1) / GROUP_PIECE_LENGTH));
  std::size_t start = 0;
  do {
    Record record = MakeRecord({});
    record[0] = pieces.empty() ? first : continuation;
    const std::string_view piece = text.substr(start, GROUP_PIECE_LENGTH);
    std::copy(piece.begin(), piece.end(), record.begin() + 1);
    pieces.push_back(record);
    start += GROUP_PIECE_LENGTH;
  } while (start < text.size());
  return pieces;
}

Record FormatReadingEndRecord(char end, std::int32_t readingCount, std::uint32_t tick) {
  return PrintRecord("%c%06" PRId32 "         %10" PRIu32, end, EndCountField(readingCount), tick);
}

Record FormatSentenceEndRecord(char end, std::int32_t recordCount, char status,
                               std::uint32_t tick) {
  return PrintRecord("%c%06" PRId32 "%c        %10" PRIu32, end, EndCountField(recordCount), status,
                     tick);
}

}  // namespace gradlog
