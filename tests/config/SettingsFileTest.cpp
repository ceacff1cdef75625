#include "config/SettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/AppState.h"
#include "config/TempDeviceRoot.h"
#include "display/DisplayScales.h"

namespace gradlog {
namespace {

using testing::JoinCrLf;
using testing::TempDeviceRoot;

constexpr std::int32_t INT32_MAX_VALUE = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t INT32_MIN_VALUE = std::numeric_limits<std::int32_t>::min();

// The file a first start leaves, line by line (index 0 is line 1).
std::vector<std::string> FirstStartLines() {
  return {"Ver1.34",
          // lines 2..8: instrument, sensors, units, port, audio, pause key
          "1", "2", "0", "0", "0", "1", "0",
          // 9..16 channels shown, 17..24 thickness, 25..32 colours
          "1", "1", "1", "1", "1", "1", "1", "1",                            //
          "2", "3", "4", "1", "2", "4", "3", "1",                            //
          "16711680", "65280", "255", "16711935", "16776960", "65535",       //
          "32896", "8421376",                                                //
          "0", "0.000000", "2000.000000",                                    // 33..35
          "1", "0", "1", "1", "1", "0", "0", "0",                            // 36..43 GPS port
          "0.000000", "10.000000", "0",                                      // 44..46
          "1.000000", "0.200000", "2.000000", "0.200000",                    // 47..50
          "0", "1.000000", "0", "1", "0.000000", "0",                        // 51..56
          "1", "4", "3", "16711680", "255", "65280",                         // 57..62 map
          "1", "0", "0", "1.500000", "10", "1", "1", "1", "5", "4.000000"};  // 63..72
}

// The first-start file with one line replaced (line numbers count from 1).
std::string FileWithLine(int lineNumber, const std::string& text) {
  std::vector<std::string> lines = FirstStartLines();
  lines.at(static_cast<std::size_t>(lineNumber - 1)) = text;
  return JoinCrLf(lines);
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

  TempDeviceRoot root;
  std::unique_ptr<AppState> app = std::make_unique<AppState>();
};

TEST_F(SettingsFileTest, FirstStartCreatesFolderAndDefaultFile) {
  app->readingIntervalMs = -1;
  InitDisplayScales(*app);
  LoadSettings(*app);
  EXPECT_TRUE(std::filesystem::is_directory(root.Path() / "C_DRIVE" / "KELINI"));
  EXPECT_EQ(SettingsBytes(), JoinCrLf(FirstStartLines()));
  // A file that had to be created is only read back by the second call.
  EXPECT_EQ(app->readingIntervalMs, -1);

  LoadSettings(*app);
  EXPECT_EQ(SettingsBytes(), JoinCrLf(FirstStartLines()));
  EXPECT_EQ(app->readingIntervalMs, 200);
  EXPECT_EQ(app->gpsDisplayIntervalMs, 910);
  EXPECT_FLOAT_EQ(app->profilePixelsPerUnit, 215.0f / 2000.0f);
  EXPECT_FLOAT_EQ(app->barPixelsPerUnit, 80.0f / 2000.0f);
  EXPECT_FLOAT_EQ(app->speedPixelsPerUnit, 21.5f);
  EXPECT_EQ(app->mapMarkerDiameter, 9);
  EXPECT_EQ(app->mapMarkerHalf, 4);
  EXPECT_EQ(app->mapMarginPx, 32);
  EXPECT_EQ(app->mapMarginOuterPx, 52);
  EXPECT_FLOAT_EQ(app->currentStationIncrement, 1.0f);
  EXPECT_EQ(app->profileGridRows.count, 4);
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
}

TEST_F(SettingsFileTest, EmptyFileIsReplacedAndALaterStartReadsDefaults) {
  WriteSettings("");
  StartUp(*app);
  EXPECT_EQ(SettingsBytes(), JoinCrLf(FirstStartLines()));

  WriteSettings(JoinCrLf({"Ver1.33", "0", "1"}));
  auto later = std::make_unique<AppState>();
  StartUp(*later);
  EXPECT_EQ(later->settings.instrumentEnabled, 1);
  EXPECT_EQ(later->settings.gradSensorCount, 2);
  EXPECT_EQ(SettingsBytes(), JoinCrLf(FirstStartLines()));
}

// Each line holds a value of its own line number, so a field read from the wrong line shows.
TEST_F(SettingsFileTest, EveryFieldComesFromItsOwnLine) {
  std::vector<std::string> lines{"Ver1.34"};
  for (int line = 2; line <= 72; ++line)
    lines.push_back(std::to_string(line) + ".5");
  lines[50] = "S51";
  WriteSettings(JoinCrLf(lines));
  LoadSettings(*app);
  const SurveySettings& s = app->settings;
  EXPECT_EQ(s.instrumentEnabled, 2);
  EXPECT_EQ(s.gradSensorCount, 3);
  EXPECT_EQ(s.distanceUnits, 4);
  EXPECT_EQ(s.speedUnits, 5);
  EXPECT_EQ(s.instrumentPort, 6);
  EXPECT_EQ(s.audio, 7);
  EXPECT_EQ(s.pauseKey, 8);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(s.channelShown[i], 9 + i);
    EXPECT_EQ(s.channelThickness[i], 17 + i);
    EXPECT_EQ(s.channelColor[i], 25 + i);
  }
  EXPECT_EQ(s.profileAmplitude, 33);
  EXPECT_FLOAT_EQ(s.profileMin, 34.5f);
  EXPECT_FLOAT_EQ(s.profileMax, 35.5f);
  EXPECT_EQ(s.gpsInput, 36);
  EXPECT_EQ(s.gpsDataType, 37);
  EXPECT_EQ(s.gpsPort, 38);
  EXPECT_EQ(s.gpsBaud, 39);
  EXPECT_EQ(s.gpsDataBits, 40);
  EXPECT_EQ(s.gpsParity, 41);
  EXPECT_EQ(s.gpsStopBits, 42);
  EXPECT_EQ(s.gpsDisplayRate, 43);
  EXPECT_FLOAT_EQ(s.speedMin, 44.5f);
  EXPECT_FLOAT_EQ(s.speedMax, 45.5f);
  EXPECT_EQ(s.surveyMode, 46);
  EXPECT_FLOAT_EQ(s.stationIncrementAuto, 47.5f);
  EXPECT_FLOAT_EQ(s.stationIncrementWheel, 48.5f);
  EXPECT_FLOAT_EQ(s.stationIncrementManual, 49.5f);
  EXPECT_FLOAT_EQ(s.readingInterval, 50.5f);
  EXPECT_EQ(s.surveyLine, "S51");
  EXPECT_FLOAT_EQ(s.lineIncrement, 52.5f);
  EXPECT_EQ(s.lineSequence, 53);
  EXPECT_EQ(s.lineDirection, 54);
  EXPECT_DOUBLE_EQ(s.startStation, 55.5);
  EXPECT_EQ(s.dataStorage, 56);
  EXPECT_EQ(s.mapCurrentMarkerSize, 57);
  EXPECT_EQ(s.mapSavedPointSize, 58);
  EXPECT_EQ(s.mapExternalPointSize, 59);
  EXPECT_EQ(s.mapCurrentColor, 60);
  EXPECT_EQ(s.mapSavedColor, 61);
  EXPECT_EQ(s.mapExternalColor, 62);
  EXPECT_EQ(s.asciiLatitudeColumn, 63);
  EXPECT_EQ(s.asciiLongitudeColumn, 64);
  EXPECT_EQ(s.asciiDelimiter, 65);
  EXPECT_FLOAT_EQ(s.mapGridInterval, 66.5f);
  EXPECT_EQ(s.mapScale, 67);
  EXPECT_EQ(s.mapMarginStep, 68);
  EXPECT_EQ(s.gpsWarning, 69);
  EXPECT_EQ(s.gpsWarnQuality, 70);
  EXPECT_EQ(s.gpsWarnSatellites, 71);
  EXPECT_FLOAT_EQ(s.gpsWarnPdop, 72.5f);

  // Saving writes every field back to the line it came from, ints without the fraction.
  SaveSettings(*app);
  std::vector<std::string> expected{"Ver1.34"};
  const std::vector<int> floatLines{34, 35, 44, 45, 47, 48, 49, 50, 52, 55, 66, 72};
  for (int line = 2; line <= 72; ++line) {
    const bool isFloat = std::find(floatLines.begin(), floatLines.end(), line) != floatLines.end();
    expected.push_back(isFloat ? std::to_string(line) + ".500000" : std::to_string(line));
  }
  expected[50] = "S51";
  EXPECT_EQ(SettingsBytes(), JoinCrLf(expected));
}

TEST_F(SettingsFileTest, NonNumericTextReadsAsZero) {
  WriteSettings(FileWithLine(38, "abc"));
  StartUp(*app);
  EXPECT_EQ(app->settings.gpsPort, 0);

  WriteSettings(FileWithLine(45, "fast"));
  StartUp(*app);
  EXPECT_EQ(app->settings.speedMax, 0.0f);
}

TEST_F(SettingsFileTest, IntegersTakeTheLeadingNumberClampedToInt32) {
  const std::vector<std::pair<std::string, std::int32_t>> cases{{"12abc", 12},
                                                                {"  -7", -7},
                                                                {"+3", 3},
                                                                {"99999999999", INT32_MAX_VALUE},
                                                                {"-99999999999", INT32_MIN_VALUE},
                                                                {"1.9", 1},
                                                                {"", 0},
                                                                {"x5", 0}};
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE("line text '" + text + "'");
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
  WriteSettings(FileWithLine(56, "1"));
  auto withCard = std::make_unique<AppState>();
  StartUp(*withCard);
  EXPECT_EQ(withCard->storageCardPresent, 1);
  EXPECT_EQ(withCard->settings.dataStorage, 1);
}

TEST_F(SettingsFileTest, DisplayRateGivesTheDisplayInterval) {
  WriteSettings(FileWithLine(43, "1"));
  StartUp(*app);
  EXPECT_EQ(app->gpsDisplayIntervalMs, 410);

  WriteSettings(FileWithLine(43, "2000000000"));
  LoadSettings(*app);
  EXPECT_EQ(app->gpsDisplayIntervalMs, INT32_MIN_VALUE);
}

TEST_F(SettingsFileTest, MarkerSizeGivesDiameterAndHalf) {
  struct Case {
    std::string size;
    std::int32_t diameter;
    std::int32_t half;
  };
  // Below zero the smallest marker is drawn; from 5 on the largest.
  const std::vector<Case> cases{{"0", 7, 3},  {"2", 11, 5},         {"4", 15, 7},
                                {"5", 19, 9}, {"7", 19, 9},         {"2147483647", 19, 9},
                                {"-3", 7, 3}, {"-2147483648", 7, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE("marker size " + c.size);
    WriteSettings(FileWithLine(57, c.size));
    LoadSettings(*app);
    EXPECT_EQ(app->settings.mapCurrentMarkerSize, std::stoi(c.size));
    EXPECT_EQ(app->mapMarkerDiameter, c.diameter);
    EXPECT_EQ(app->mapMarkerHalf, c.half);
  }
}

TEST_F(SettingsFileTest, MarginStepGivesMargins) {
  WriteSettings(FileWithLine(68, "4"));
  LoadSettings(*app);
  EXPECT_EQ(app->mapMarginPx, 64);  // 30 % of 215 = 64.5
  EXPECT_EQ(app->mapMarginOuterPx, 84);

  WriteSettings(FileWithLine(68, "2147483647"));
  LoadSettings(*app);
  EXPECT_EQ(app->mapMarginPx, INT32_MAX_VALUE);
  EXPECT_EQ(app->mapMarginOuterPx, INT32_MAX_VALUE);
}

TEST_F(SettingsFileTest, SurveyModeSelectsTheStationIncrement) {
  const std::vector<std::pair<std::string, float>> cases{
      {"0", 1.0f}, {"1", 0.2f}, {"2", 2.0f}, {"3", -9.0f}, {"-1", -9.0f}};
  for (const auto& [mode, increment] : cases) {
    SCOPED_TRACE("survey mode " + mode);
    std::vector<std::string> lines = FirstStartLines();
    lines[45] = mode;
    lines[54] = "12.250000";
    WriteSettings(JoinCrLf(lines));
    app->currentStationIncrement = -9.0f;  // an unknown mode leaves it as it was
    LoadSettings(*app);
    EXPECT_FLOAT_EQ(app->currentStationIncrement, increment);
    EXPECT_EQ(app->activeSurveyMode, std::stoi(mode));
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
  app->gpsOffsetX = 1.5f;
  app->gpsOffsetY = -2.0f;
  StartUp(*app);
  EXPECT_EQ(app->gpsOffsetX, 0.0f);
  EXPECT_EQ(app->gpsOffsetY, 0.0f);

  app->gpsOffsetX = 3.0f;
  app->gpsOffsetY = 4.0f;
  SaveSettings(*app);
  LoadSettings(*app);
  EXPECT_EQ(app->gpsOffsetX, 0.0f);
  EXPECT_EQ(app->gpsOffsetY, 0.0f);
}

TEST_F(SettingsFileTest, ShortFileLeavesZerosForTheMissingLines) {
  std::vector<std::string> lines = FirstStartLines();
  lines.resize(40);  // up to gpsDataBits
  WriteSettings(JoinCrLf(lines));
  LoadSettings(*app);
  const SurveySettings& s = app->settings;
  EXPECT_EQ(s.gpsBaud, 1);
  EXPECT_EQ(s.gpsDataBits, 1);
  EXPECT_EQ(s.gpsParity, 0);
  EXPECT_EQ(s.speedMax, 0.0f);
  EXPECT_EQ(s.stationIncrementAuto, 0.0f);
  EXPECT_EQ(s.surveyLine, "");
  EXPECT_EQ(s.lineDirection, 0);
  EXPECT_EQ(s.mapSavedPointSize, 0);
  EXPECT_EQ(s.mapScale, 0);
  EXPECT_EQ(s.mapMarginStep, 0);
  EXPECT_EQ(s.gpsWarnSatellites, 0);
  EXPECT_EQ(s.gpsWarnPdop, 0.0f);
  EXPECT_EQ(app->readingIntervalMs, 0);
  EXPECT_TRUE(std::isinf(app->speedPixelsPerUnit));
}

TEST_F(SettingsFileTest, UnterminatedLastLineReadsAsEmpty) {
  std::string bytes = JoinCrLf(FirstStartLines());
  bytes.resize(bytes.size() - 2);  // "4.000000" without its CR LF
  WriteSettings(bytes);
  LoadSettings(*app);
  EXPECT_EQ(app->settings.gpsWarnSatellites, 5);
  EXPECT_EQ(app->settings.gpsWarnPdop, 0.0f);
}

TEST_F(SettingsFileTest, UnwritableDeviceLeavesTheRecordAsItWas) {
  // Running as root ignores folder permissions, so the root (or C_DRIVE) is made a plain file.
  const std::filesystem::path fileRoot = root.Path() / "not-a-folder";
  root.WriteFile(fileRoot, "x");
  const std::filesystem::path fileDrive = root.Path() / "drive";
  root.WriteFile(fileDrive / "C_DRIVE", "x");
  for (const std::filesystem::path& deviceRoot : {fileRoot, fileDrive}) {
    SCOPED_TRACE(deviceRoot.string());
    platform::SetDeviceRoot(deviceRoot);
    auto state = std::make_unique<AppState>();
    state->settings.gpsPort = 9;
    state->settings.surveyLine = "KEEP";
    state->readingIntervalMs = 1234;
    LoadSettings(*state);
    LoadSettings(*state);
    SaveSettings(*state);
    EXPECT_EQ(state->settings.gpsPort, 9);
    EXPECT_EQ(state->settings.surveyLine, "KEEP");
    EXPECT_EQ(state->readingIntervalMs, 1234);
  }
  platform::SetDeviceRoot(root.Path());
  EXPECT_EQ(root.ReadFile(fileDrive / "C_DRIVE"), "x");
}

TEST_F(SettingsFileTest, EmptyProfileRangeLoadsWithAnInfiniteScale) {
  std::vector<std::string> lines = FirstStartLines();
  lines[33] = "500.000000";
  lines[34] = "500.000000";
  lines[43] = "3.000000";
  lines[44] = "3.000000";
  WriteSettings(JoinCrLf(lines));
  StartUp(*app);
  EXPECT_EQ(app->settings.profileMin, 500.0f);
  EXPECT_EQ(app->settings.profileMax, 500.0f);
  EXPECT_TRUE(std::isinf(app->profilePixelsPerUnit));
  EXPECT_TRUE(std::isinf(app->speedPixelsPerUnit));
  EXPECT_EQ(app->barBaseMode, 1);
  EXPECT_EQ(app->profileGridRows.count, 4);
  EXPECT_EQ(app->barGridRows.count, 4);
}

TEST_F(SettingsFileTest, NonFiniteAndHugeValuesLoadAsTheyAre) {
  std::vector<std::string> lines = FirstStartLines();
  lines[33] = "-1e39";  // profileMin: beyond float, -inf
  lines[34] = "nan";    // profileMax
  lines[49] = "1e39";   // readingInterval
  lines[54] = "1e400";  // startStation: beyond double
  WriteSettings(JoinCrLf(lines));
  LoadSettings(*app);
  EXPECT_TRUE(std::isinf(app->settings.profileMin));
  EXPECT_LT(app->settings.profileMin, 0.0f);
  EXPECT_TRUE(std::isnan(app->settings.profileMax));
  EXPECT_EQ(app->readingIntervalMs, INT32_MAX_VALUE);
  EXPECT_TRUE(std::isinf(app->currentStation));
  EXPECT_LE(app->profileGridRows.count, 9);

  lines[49] = "nan";
  lines[33] = "-1e30";
  lines[34] = "1e30";
  WriteSettings(JoinCrLf(lines));
  LoadSettings(*app);
  EXPECT_EQ(app->readingIntervalMs, 0);
  EXPECT_EQ(app->barBaseMode, 0);
  EXPECT_GE(app->profileGridRows.count, 1);
  EXPECT_LE(app->profileGridRows.count, 9);

  // What was read is written back as it is and reads the same again.
  SaveSettings(*app);
  auto later = std::make_unique<AppState>();
  LoadSettings(*later);
  EXPECT_TRUE(std::isnan(later->settings.readingInterval));
  EXPECT_FLOAT_EQ(later->settings.profileMax, 1e30f);
}

TEST_F(SettingsFileTest, ReadingIntervalTruncatesToMilliseconds) {
  const std::vector<std::pair<std::string, std::int32_t>> cases{
      {"0.200000", 200}, {"1.000000", 1000}, {"0.700000", 700}, {"0.0019", 1}, {"-0.0019", -1}};
  for (const auto& [text, ms] : cases) {
    SCOPED_TRACE("reading interval " + text);
    WriteSettings(FileWithLine(50, text));
    LoadSettings(*app);
    EXPECT_EQ(app->readingIntervalMs, ms);
  }
}

}  // namespace
}  // namespace gradlog
