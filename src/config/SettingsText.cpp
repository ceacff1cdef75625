#include "config/SettingsText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "config/SurveyLineText.h"
#include "common/SafeConvert.h"

namespace gradlog {

namespace {

// Every value line of the file, in file order: the one place that knows the layout, used by
// the writer (const settings) and the reader alike.
template <typename Settings, typename Visitor>
void ForEachSettingsField(Settings& s, Visitor&& visit) {
  visit(s.instrumentEnabled);
  visit(s.gradSensorCount);
  visit(s.distanceUnits);
  visit(s.speedUnits);
  visit(s.instrumentPort);
  visit(s.audio);
  visit(s.pauseKey);
  for (auto& shown : s.channelShown)
    visit(shown);
  for (auto& thickness : s.channelThickness)
    visit(thickness);
  for (auto& color : s.channelColor)
    visit(color);
  visit(s.profileAmplitude);
  visit(s.profileMin);
  visit(s.profileMax);
  visit(s.gpsInput);
  visit(s.gpsDataType);
  visit(s.gpsPort);
  visit(s.gpsBaud);
  visit(s.gpsDataBits);
  visit(s.gpsParity);
  visit(s.gpsStopBits);
  visit(s.gpsDisplayRate);
  visit(s.speedMin);
  visit(s.speedMax);
  visit(s.surveyMode);
  visit(s.stationIncrementAuto);
  visit(s.stationIncrementWheel);
  visit(s.stationIncrementManual);
  visit(s.readingInterval);
  visit(s.surveyLine);
  visit(s.lineIncrement);
  visit(s.lineSequence);
  visit(s.lineDirection);
  visit(s.startStation);
  visit(s.dataStorage);
  visit(s.mapCurrentMarkerSize);
  visit(s.mapSavedPointSize);
  visit(s.mapExternalPointSize);
  visit(s.mapCurrentColor);
  visit(s.mapSavedColor);
  visit(s.mapExternalColor);
  visit(s.asciiLatitudeColumn);
  visit(s.asciiLongitudeColumn);
  visit(s.asciiDelimiter);
  visit(s.mapGridInterval);
  visit(s.mapScale);
  visit(s.mapMarginStep);
  visit(s.gpsWarning);
  visit(s.gpsWarnQuality);
  visit(s.gpsWarnSatellites);
  visit(s.gpsWarnPdop);
}

struct FieldWriter {
  std::string& text;

  void operator()(const std::int32_t& value) { Append("%d\r\n", value); }
  void operator()(const float& value) { Append("%f\r\n", static_cast<double>(value)); }
  void operator()(const double& value) { Append("%f\r\n", value); }
  void operator()(const std::string& value) {
    text += SurveyLineText(value);
    text += "\r\n";
  }

  template <typename Value>
  void Append(const char* format, Value value) {
    std::array<char, SETTINGS_LINE_MAX> line;
    const int length = std::snprintf(line.data(), line.size(), format, value);
    if (length > 0) {
      text.append(line.data(), std::min(static_cast<std::size_t>(length), line.size() - 1));
    }
  }
};

struct FieldReader {
  std::string_view rest;

  // The line as a C string: parsing stops at a stray zero byte as it would in the file's
  // original readers.
  std::string NextLine() {
    const std::string_view line = NextSettingsLine(rest);
    return std::string(line.substr(0, line.find('\0')));
  }

  void operator()(std::int32_t& value) {
    const long number = std::strtol(NextLine().c_str(), nullptr, 10);
    value = ClampToInt32(number);
  }
  void operator()(float& value) { value = std::strtof(NextLine().c_str(), nullptr); }
  void operator()(double& value) { value = std::strtod(NextLine().c_str(), nullptr); }
  void operator()(std::string& value) { value = SurveyLineText(NextLine()); }
};

}  // namespace

std::string FormatSettingsText(const SurveySettings& settings) {
  std::string text(SETTINGS_VERSION_LINE);
  text += "\r\n";
  ForEachSettingsField(settings, FieldWriter{text});
  return text;
}

bool ParseSettingsText(std::string_view text, SurveySettings& settings) {
  FieldReader reader{text};
  if (reader.NextLine() != SETTINGS_VERSION_LINE)
    return false;
  ForEachSettingsField(settings, reader);
  return true;
}

std::string_view NextSettingsLine(std::string_view& rest, std::size_t maxLength) {
  const std::size_t end = rest.find('\n');
  std::string_view line = rest.substr(0, end);
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  if (end != std::string_view::npos && line.ends_with('\r') && line.size() <= maxLength)
    line.remove_suffix(1);
  return line.substr(0, maxLength);
}

}  // namespace gradlog
