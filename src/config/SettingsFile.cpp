#include "config/SettingsFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "common/SafeConvert.h"
#include "config/DerivedSettings.h"

namespace gradlog {

namespace {

constexpr std::string_view SETTINGS_FOLDER = "C_DRIVE\\KELINI";
constexpr std::string_view SETTINGS_PATH = "C_DRIVE\\KELINI\\Z601CX.INI";
constexpr std::string_view STORAGE_CARD_FOLDER = "Storage Card";
constexpr std::string_view VERSION_LINE = "Ver1.34";

// Large enough for any value the writer produces: "%f" of the largest double is 316 chars.
constexpr std::size_t LINE_BUFFER_SIZE = 512;

// Every value line of the file, in file order: the one place that knows the layout, used by
// the writer and the reader alike.
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

// The survey line as stored: at most 11 characters, and nothing that would end its line early.
std::string_view SurveyLineText(std::string_view text) {
  text = text.substr(0, text.find_first_of(std::string_view("\0\r\n", 3)));
  return text.substr(0, SURVEY_LINE_MAX);
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
    std::array<char, LINE_BUFFER_SIZE> line;
    const int length = std::snprintf(line.data(), line.size(), format, value);
    if (length > 0) {
      text.append(line.data(), std::min(static_cast<std::size_t>(length), line.size() - 1));
    }
  }
};

struct FieldReader {
  platform::File& file;
  std::array<char, LINE_BUFFER_SIZE> buffer{};

  // The line as a C string: parsing stops at a stray zero byte as it would in the file's
  // original readers.
  std::string NextLine() {
    const std::size_t length = ReadSettingsLine(file, buffer);
    std::string line(buffer.data(), length);
    line.resize(std::min(line.size(), line.find('\0')));
    return line;
  }

  void operator()(std::int32_t& value) {
    const long number = std::strtol(NextLine().c_str(), nullptr, 10);
    value = ClampToInt32(number);
  }
  void operator()(float& value) { value = std::strtof(NextLine().c_str(), nullptr); }
  void operator()(double& value) { value = std::strtod(NextLine().c_str(), nullptr); }
  void operator()(std::string& value) { value = SurveyLineText(NextLine()); }
};

bool StorageCardPresent() {
  return platform::DirectoryExists(STORAGE_CARD_FOLDER);
}

// Creates (or replaces) the file and writes the version line and every field. A file that
// cannot be created or written is left as it is: the record keeps its values in memory.
void WriteSettingsFile(const SurveySettings& settings) {
  std::optional<platform::File> file = platform::File::CreateAlways(SETTINGS_PATH);
  if (!file)
    return;
  std::string text(VERSION_LINE);
  text += "\r\n";
  ForEachSettingsField(settings, FieldWriter{text});
  file->Write(std::string_view(text));
  file->Close();
}

}  // namespace

std::size_t ReadSettingsLine(platform::File& file, std::span<char> buffer) {
  std::size_t kept = 0;
  bool lastKeptIsCr = false;
  char byte = 0;
  while (file.Read(std::span<char>(&byte, 1)) == 1) {
    if (byte == '\n') {
      // Only a CR is a line end; with a LF-only line the last character is text.
      return lastKeptIsCr ? kept - 1 : kept;
    }
    if (kept < buffer.size()) {
      buffer[kept++] = byte;
      lastKeptIsCr = byte == '\r';
    } else {
      lastKeptIsCr = false;
    }
  }
  return 0;
}

void LoadSettings(ConfigState& config) {
  // The antenna offsets are entered for one session only.
  config.gpsOffsetX = 0.0f;
  config.gpsOffsetY = 0.0f;
  config.storageCardPresent = StorageCardPresent() ? 1 : 0;
  platform::CreateDirectoryPath(SETTINGS_FOLDER);

  std::optional<platform::File> file = platform::File::OpenExisting(SETTINGS_PATH);
  if (!file) {
    WriteSettingsFile(config.settings);
    return;
  }
  FieldReader reader{*file};
  if (reader.NextLine() == VERSION_LINE) {
    ForEachSettingsField(config.settings, reader);
    file->Close();
    ComputeDerivedSettings(config);
    return;
  }
  // Another version, or an empty file: nothing of it is kept.
  file->Close();
  platform::DeleteFile(SETTINGS_PATH);
  WriteSettingsFile(config.settings);
}

void SaveSettings(ConfigState& config) {
  config.storageCardPresent = StorageCardPresent() ? 1 : 0;
  platform::CreateDirectoryPath(SETTINGS_FOLDER);
  WriteSettingsFile(config.settings);
}

}  // namespace gradlog
