#include "config/SettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/AppState.h"
#include "config/TempDeviceRoot.h"
#include "display/DisplayScales.h"
#include "support/FirstStartSettings.h"

namespace gradlog {
namespace {

using testing_support::FirstStartLines;
using testing_support::JoinCrLf;

constexpr std::int32_t INT_MAX32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t INT_MIN32 = std::numeric_limits<std::int32_t>::min();

// The first-start file with one line replaced (line numbers count from 1).
std::string FileWithLine(int lineNumber, const std::string& text) {
  std::vector<std::string> lines = FirstStartLines();
  lines.at(static_cast<std::size_t>(lineNumber - 1)) = text;
  return JoinCrLf(lines);
}

template <typename... Values>
std::vector<double> AsDoubles(const Values&... values) {
  return {static_cast<double>(values)...};
}

class SettingsFileTest : public ::testing::Test {
 protected:
  // Loads twice, as start-up does.
  void StartUp(AppState& state) {
    InitDisplayScales(state);
    LoadSettings(state);
    LoadSettings(state);
  }
  void WriteSettings(const std::string& bytes) { root.WriteFile(root.SettingsPath(), bytes); }
  std::string SettingsBytes() const { return root.ReadFile(root.SettingsPath()); }

  testing::TempDeviceRoot root;
  std::unique_ptr<AppState> app = std::make_unique<AppState>();
};

TEST_F(SettingsFileTest, FirstStartCreatesFolderAndDefaultFile) {
  ASSERT_EQ(FirstStartLines().size(), 72u);
  app->readingIntervalMs = -1;
  InitDisplayScales(*app);
  LoadSettings(*app);
  EXPECT_EQ(SettingsBytes(), JoinCrLf(FirstStartLines()));
  EXPECT_EQ(app->readingIntervalMs, -1);  // a created file is only read back by the next call

  LoadSettings(*app);
  EXPECT_EQ(SettingsBytes(), JoinCrLf(FirstStartLines()));
  EXPECT_EQ(app->readingIntervalMs, 200);
  EXPECT_EQ(app->gpsDisplayIntervalMs, 910);
  EXPECT_FLOAT_EQ(app->speedPixelsPerUnit, 21.5f);
  EXPECT_EQ(app->mapMarkerDiameter, 9);
  EXPECT_EQ(app->mapMarginOuterPx, 52);
  EXPECT_EQ(app->profileGridRows.rows[0], 171);
}

TEST_F(SettingsFileTest, FileOfAnotherVersionIsReplacedFromTheRecord) {
  for (const std::string firstLine : {"Ver1.33", "ver1.34", "Ver1.34 ", ""}) {
    SCOPED_TRACE("first line '" + firstLine + "'");
    std::vector<std::string> lines = FirstStartLines();
    lines[0] = firstLine;
    lines[37] = "7";
    WriteSettings(JoinCrLf(lines));
    auto state = std::make_unique<AppState>();
    state->settings.gpsPort = 3;  // the record's current value is what gets written
    LoadSettings(*state);
    EXPECT_EQ(state->settings.gpsPort, 3);
    EXPECT_EQ(SettingsBytes(), FileWithLine(38, "3"));
  }
  WriteSettings("");
  StartUp(*app);
  EXPECT_EQ(SettingsBytes(), JoinCrLf(FirstStartLines()));
}

// Line n holds n.5, so a field read from or written to the wrong line shows.
TEST_F(SettingsFileTest, EveryFieldComesFromItsOwnLine) {
  std::vector<std::string> lines{"Ver1.34"};
  for (int line = 2; line <= 72; ++line)
    lines.push_back(std::to_string(line) + ".5");
  lines[50] = "S51";
  WriteSettings(JoinCrLf(lines));
  LoadSettings(*app);

  const SurveySettings& s = app->settings;  // in file order; 51 stands for the survey line
  std::vector<double> fields = AsDoubles(s.instrumentEnabled, s.gradSensorCount, s.distanceUnits,
                                         s.speedUnits, s.instrumentPort, s.audio, s.pauseKey);
  for (const auto* group : {&s.channelShown, &s.channelThickness, &s.channelColor}) {
    fields.insert(fields.end(), group->begin(), group->end());
  }
  const std::vector<double> rest = AsDoubles(
      s.profileAmplitude, s.profileMin, s.profileMax, s.gpsInput, s.gpsDataType, s.gpsPort,
      s.gpsBaud, s.gpsDataBits, s.gpsParity, s.gpsStopBits, s.gpsDisplayRate, s.speedMin,
      s.speedMax, s.surveyMode, s.stationIncrementAuto, s.stationIncrementWheel,
      s.stationIncrementManual, s.readingInterval, 51, s.lineIncrement, s.lineSequence,
      s.lineDirection, s.startStation, s.dataStorage, s.mapCurrentMarkerSize, s.mapSavedPointSize,
      s.mapExternalPointSize, s.mapCurrentColor, s.mapSavedColor, s.mapExternalColor,
      s.asciiLatitudeColumn, s.asciiLongitudeColumn, s.asciiDelimiter, s.mapGridInterval,
      s.mapScale, s.mapMarginStep, s.gpsWarning, s.gpsWarnQuality, s.gpsWarnSatellites,
      s.gpsWarnPdop);
  fields.insert(fields.end(), rest.begin(), rest.end());
  const std::vector<int> floatLines{34, 35, 44, 45, 47, 48, 49, 50, 52, 55, 66, 72};
  ASSERT_EQ(fields.size(), 71u);
  std::vector<std::string> saved{"Ver1.34"};
  for (int line = 2; line <= 72; ++line) {
    const bool isFloat = std::find(floatLines.begin(), floatLines.end(), line) != floatLines.end();
    EXPECT_EQ(fields[line - 2], line + (isFloat ? 0.5 : 0.0)) << "line " << line;
    saved.push_back(std::to_string(line) + (isFloat ? ".500000" : ""));
  }
  EXPECT_EQ(s.surveyLine, "S51");
  saved[50] = "S51";

  SaveSettings(*app);
  EXPECT_EQ(SettingsBytes(), JoinCrLf(saved));
}

TEST_F(SettingsFileTest, IntegersTakeTheLeadingNumberClampedToInt32) {
  WriteSettings(FileWithLine(38, "abc"));
  StartUp(*app);
  EXPECT_EQ(app->settings.gpsPort, 0);

  const std::vector<std::pair<std::string, std::int32_t>> cases{
      {"12abc", 12}, {"  -7", -7}, {"+3", 3}, {"99999999999", INT_MAX32},
      {"1.9", 1},    {"", 0},      {"x5", 0}, {"-99999999999", INT_MIN32}};
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE("mapScale line '" + text + "'");
    WriteSettings(FileWithLine(67, text));
    LoadSettings(*app);
    EXPECT_EQ(app->settings.mapScale, expected);
  }
}

TEST_F(SettingsFileTest, StorageCardChoiceNeedsTheStorageCardFolder) {
  WriteSettings(FileWithLine(56, "1"));
  StartUp(*app);
  EXPECT_EQ(app->storageCardPresent, 0);
  EXPECT_EQ(app->settings.dataStorage, 0);

  std::filesystem::create_directory(root.Path() / "Storage Card");
  auto withCard = std::make_unique<AppState>();
  StartUp(*withCard);
  EXPECT_EQ(withCard->storageCardPresent, 1);
  EXPECT_EQ(withCard->settings.dataStorage, 1);
}

TEST_F(SettingsFileTest, DerivedValuesFollowTheirLines) {
  struct Case {
    int line;
    std::string text;
    std::function<std::int64_t(const AppState&)> derived;
    std::int64_t expected;
  };
  const auto displayMs = [](const AppState& a) { return a.gpsDisplayIntervalMs; };
  const auto readingMs = [](const AppState& a) { return a.readingIntervalMs; };
  const auto marker = [](const AppState& a) { return a.mapMarkerDiameter * 100 + a.mapMarkerHalf; };
  const auto margins = [](const AppState& a) {
    return a.mapMarginPx * 1000LL + a.mapMarginOuterPx;
  };
  const std::vector<Case> cases{
      {43, "1", displayMs, 410},
      {43, "2000000000", displayMs, INT_MIN32},
      {50, "0.700000", readingMs, 700},
      {50, "-0.0019", readingMs, -1},
      {57, "7", marker, 1909},
      {57, "2", marker, 1105},
      {57, "5", marker, 1909},
      {57, "4", marker, 1507},
      {57, "-3", marker, 703},  // below the smallest step: the smallest marker
      {57, "-2147483648", marker, 703},
      {68, "4", margins, 64084},  // 30 % of 215 = 64.5
      {68, "2147483647", margins, INT_MAX32 * 1000LL + INT_MAX32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line) + " '" + c.text + "'");
    WriteSettings(FileWithLine(c.line, c.text));
    LoadSettings(*app);
    EXPECT_EQ(c.derived(*app), c.expected);
  }
  EXPECT_EQ(app->settings.mapMarginStep, INT_MAX32);
}

TEST_F(SettingsFileTest, SurveyModeSelectsTheStationIncrement) {
  for (const auto& [mode, increment] : std::vector<std::pair<int, float>>{
           {0, 1.0f}, {1, 0.2f}, {2, 2.0f}, {3, -9.0f}, {-1, -9.0f}}) {
    SCOPED_TRACE("survey mode " + std::to_string(mode));
    std::vector<std::string> lines = FirstStartLines();
    lines[45] = std::to_string(mode);
    lines[54] = "12.250000";
    WriteSettings(JoinCrLf(lines));
    app->currentStationIncrement = -9.0f;  // an unknown mode leaves it as it was
    LoadSettings(*app);
    EXPECT_FLOAT_EQ(app->currentStationIncrement, increment);
    EXPECT_EQ(app->activeSurveyMode, mode);
    EXPECT_DOUBLE_EQ(app->currentStation, 12.25);
  }
}

TEST_F(SettingsFileTest, SurveyLineRoundTripsAndIsCutToElevenCharacters) {
  StartUp(*app);
  app->settings.surveyLine = "L12";
  SaveSettings(*app);
  auto later = std::make_unique<AppState>();
  StartUp(*later);
  EXPECT_EQ(later->settings.surveyLine, "L12");

  WriteSettings(FileWithLine(51, "ABCDEFGHIJKLMNOPQRST"));
  LoadSettings(*later);
  EXPECT_EQ(later->settings.surveyLine, "ABCDEFGHIJK");

  later->settings.surveyLine = "LINE-0123456789\r\nX";
  SaveSettings(*later);
  EXPECT_EQ(SettingsBytes(), FileWithLine(51, "LINE-012345"));
}

TEST_F(SettingsFileTest, GpsOffsetsAreZeroAfterEveryLoad) {
  for (int start = 0; start < 2; ++start) {  // creating the file, then reading it
    app->gpsOffsetX = 1.5f;
    app->gpsOffsetY = -2.0f;
    LoadSettings(*app);
    EXPECT_EQ(app->gpsOffsetX, 0.0f);
    EXPECT_EQ(app->gpsOffsetY, 0.0f);
  }
}

TEST_F(SettingsFileTest, ShortFileAndUnterminatedLastLineReadAsEmpty) {
  std::vector<std::string> lines = FirstStartLines();
  lines.resize(40);  // up to gpsDataBits
  WriteSettings(JoinCrLf(lines));
  LoadSettings(*app);
  const SurveySettings& s = app->settings;
  EXPECT_EQ(s.gpsDataBits, 1);
  EXPECT_EQ(s.gpsParity, 0);
  EXPECT_EQ(s.speedMax, 0.0f);
  EXPECT_EQ(s.surveyLine, "");
  EXPECT_EQ(s.lineDirection, 0);
  EXPECT_EQ(s.mapScale, 0);
  EXPECT_EQ(s.gpsWarnPdop, 0.0f);
  EXPECT_EQ(app->readingIntervalMs, 0);
  EXPECT_TRUE(std::isinf(app->speedPixelsPerUnit));

  std::string bytes = JoinCrLf(FirstStartLines());
  bytes.resize(bytes.size() - 2);  // "4.000000" without its CR LF
  WriteSettings(bytes);
  LoadSettings(*app);
  EXPECT_EQ(s.gpsWarnSatellites, 5);
  EXPECT_EQ(s.gpsWarnPdop, 0.0f);
}

TEST_F(SettingsFileTest, UnwritableDeviceLeavesTheRecordAsItWas) {
  // Running as root ignores folder permissions, so the root (or C_DRIVE) is made a plain file.
  root.WriteFile(root.Path() / "file-root", "x");
  root.WriteFile(root.Path() / "drive" / "C_DRIVE", "x");
  for (const char* deviceRoot : {"file-root", "drive"}) {
    SCOPED_TRACE(deviceRoot);
    platform::SetDeviceRoot(root.Path() / deviceRoot);
    auto state = std::make_unique<AppState>();
    state->settings.gpsPort = 9;
    state->readingIntervalMs = 1234;
    LoadSettings(*state);
    LoadSettings(*state);
    SaveSettings(*state);
    EXPECT_EQ(state->settings.gpsPort, 9);
    EXPECT_EQ(state->readingIntervalMs, 1234);
  }
  EXPECT_EQ(root.ReadFile(root.Path() / "drive" / "C_DRIVE"), "x");
}

TEST_F(SettingsFileTest, EmptyRangesAndNonFiniteValuesLoadAsTheyAre) {
  std::vector<std::string> lines = FirstStartLines();
  lines[33] = lines[34] = "500.000000";  // profileMin == profileMax
  lines[43] = lines[44] = "3.000000";    // speedMin == speedMax
  WriteSettings(JoinCrLf(lines));
  StartUp(*app);
  EXPECT_EQ(app->settings.profileMin, 500.0f);
  EXPECT_EQ(app->settings.profileMax, 500.0f);
  EXPECT_TRUE(std::isinf(app->profilePixelsPerUnit));
  EXPECT_TRUE(std::isinf(app->speedPixelsPerUnit));
  EXPECT_EQ(app->profileGridRows.count, 4);

  lines[33] = "-1e39";  // beyond float: -inf
  lines[34] = "nan";
  lines[49] = "1e39";   // readingInterval
  lines[54] = "1e400";  // startStation, beyond double
  WriteSettings(JoinCrLf(lines));
  LoadSettings(*app);
  EXPECT_TRUE(std::isinf(app->settings.profileMin));
  EXPECT_TRUE(std::isnan(app->settings.profileMax));
  EXPECT_EQ(app->readingIntervalMs, INT_MAX32);
  EXPECT_TRUE(std::isinf(app->currentStation));

  lines[33] = "-1e30";
  lines[34] = "1e30";
  lines[49] = "nan";
  WriteSettings(JoinCrLf(lines));
  LoadSettings(*app);
  EXPECT_EQ(app->readingIntervalMs, 0);
  EXPECT_EQ(app->barBaseMode, 0);
  EXPECT_LE(app->profileGridRows.count, 9);
  // Written back as they are, they read the same again.
  SaveSettings(*app);
  auto later = std::make_unique<AppState>();
  LoadSettings(*later);
  EXPECT_TRUE(std::isnan(later->settings.readingInterval));
  EXPECT_FLOAT_EQ(later->settings.profileMax, 1e30f);
}

}  // namespace
}  // namespace gradlog
