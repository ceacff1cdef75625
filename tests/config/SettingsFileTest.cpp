#include "config/SettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "config/SettingsFileFixture.h"
#include "platform/sys/DevicePaths.h"

namespace gradlog {
namespace {

using testing::FileWithLine;
using testing_support::FirstStartLines;
using testing_support::JoinCrLf;

constexpr std::int32_t INT_MAX32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t INT_MIN32 = std::numeric_limits<std::int32_t>::min();

class SettingsFileTest : public testing::SettingsFileFixture {};

TEST_F(SettingsFileTest, FirstStartCreatesTheDefaultFileAndReadsItBackNextTime) {
  ASSERT_EQ(FirstStartLines().size(), 72u);
  config->readingIntervalMs = -1;
    for (const std::int32_t readingMs : {-1, 200}) {  // a created file is read by the next load
    config->gpsOffsetX = 1.5f;
    config->gpsOffsetY = -2.0f;
    LoadSettings(*config);
    EXPECT_EQ(SettingsBytes(), JoinCrLf(FirstStartLines()));
    EXPECT_EQ(config->readingIntervalMs, readingMs);
    EXPECT_EQ(config->gpsOffsetX, 0.0f);
    EXPECT_EQ(config->gpsOffsetY, 0.0f);
  }
}

TEST_F(SettingsFileTest, FileOfAnotherVersionIsReplacedFromTheRecord) {
  for (const std::string firstLine : {"Ver1.33", "ver1.34", "Ver1.34 ", ""}) {
    SCOPED_TRACE("first line '" + firstLine + "'");
    std::vector<std::string> lines = FirstStartLines();
    lines[0] = firstLine;
    lines[37] = "7";
    WriteSettings(JoinCrLf(lines));
    auto state = std::make_unique<ConfigState>();
    state->settings.gpsPort = 3;  // the record's current value is what gets written
    LoadSettings(*state);
    EXPECT_EQ(state->settings.gpsPort, 3);
    EXPECT_EQ(SettingsBytes(), FileWithLine(38, "3"));
  }
}

// Line n holds n.5: integer lines write back as n, real ones as n.500000, the survey line as
// it was, so a field read from one line and written to another shows.
TEST_F(SettingsFileTest, EveryLineRoundTripsInItsOwnType) {
  const std::vector<int> realLines{34, 35, 44, 45, 47, 48, 49, 50, 52, 55, 66, 72};
  std::vector<std::string> lines{"Ver1.34"}, saved{"Ver1.34"};
  for (int line = 2; line <= 72; ++line) {
    const bool real = std::find(realLines.begin(), realLines.end(), line) != realLines.end();
    lines.push_back(line == 51 ? "S51" : std::to_string(line) + ".5");
    saved.push_back(line == 51 ? "S51" : std::to_string(line) + (real ? ".500000" : ""));
  }
  WriteSettings(JoinCrLf(lines));
  LoadSettings(*config);
  EXPECT_EQ(config->settings.profileMax, 35.5f);
  EXPECT_TRUE(SaveSettings(*config));
  EXPECT_EQ(SettingsBytes(), JoinCrLf(saved));
}

// Integers take the leading number clamped to 32 bits; derived values follow their lines.
TEST_F(SettingsFileTest, LinesSetFieldsAndDerivedValues) {
  using A = const ConfigState&;
  using Value = std::function<std::int64_t(A)>;
  const Value port = [](A a) { return a.settings.gpsPort; };
  const Value scale = [](A a) { return a.settings.mapScale; };
  const Value displayMs = [](A a) { return a.gpsDisplayIntervalMs; };
  const Value readingMs = [](A a) { return a.readingIntervalMs; };
  const Value increment = [](A a) { return std::lround(a.currentStationIncrement * 10); };
  const std::vector<std::tuple<int, std::string, Value, std::int64_t>> cases{
      {38, "5", port, 5},
      {38, "abc", port, 0},
      {38, std::string(511, '0') + "79", port, 7},  // a line keeps its first 512 characters
      {67, "12abc", scale, 12},
      {67, "  -7", scale, -7},
      {67, "99999999999", scale, INT_MAX32},
      {67, "-99999999999", scale, INT_MIN32},
      {43, "1", displayMs, 410},  // 2 Hz
      {43, "2000000000", displayMs, INT_MIN32},
      {50, "0.700000", readingMs, 700},
      {46, "1", increment, 2},    // survey mode 1 takes the wheel increment
      {46, "-1", increment, 2}};  // an unknown mode keeps the increment it had
  for (const auto& [line, text, value, expected] : cases) {
    SCOPED_TRACE("line " + std::to_string(line) + " '" + text + "'");
    WriteSettings(FileWithLine(line, text));
    LoadSettings(*config);
    EXPECT_EQ(value(*config), expected);
  }
}

TEST_F(SettingsFileTest, StorageCardChoiceNeedsTheStorageCardFolder) {
  WriteSettings(FileWithLine(56, "1"));
  StartUp(*config);
  EXPECT_EQ(config->storageCardPresent, 0);
  EXPECT_EQ(config->settings.dataStorage, 0);
  std::filesystem::create_directory(root.Path() / "Storage Card");
  LoadSettings(*config);
  EXPECT_EQ(config->storageCardPresent, 1);
  EXPECT_EQ(config->settings.dataStorage, 1);
}

TEST_F(SettingsFileTest, SurveyLineRoundTripsAndIsCutToElevenCharacters) {
  StartUp(*config);
  config->settings.surveyLine = "L12";
  SaveSettings(*config);
  auto later = std::make_unique<ConfigState>();
  StartUp(*later);
  EXPECT_EQ(later->settings.surveyLine, "L12");

  WriteSettings(FileWithLine(51, "ABCDEFGHIJKLMNOPQRST"));
  LoadSettings(*later);
  EXPECT_EQ(later->settings.surveyLine, "ABCDEFGHIJK");
  later->settings.surveyLine = "LINE-0123456789\r\nX";
  SaveSettings(*later);
  EXPECT_EQ(SettingsBytes(), FileWithLine(51, "LINE-012345"));
}

// Eleven characters are kept whole, however many bytes each takes, in the file and read back.
TEST_F(SettingsFileTest, SurveyLineKeepsWholeCharactersInTheFile) {
  StartUp(*config);
  config->settings.surveyLine = "Straße-Nord-Ost";  // ß takes two bytes
  SaveSettings(*config);
  EXPECT_EQ(SettingsBytes(), FileWithLine(51, "Straße-Nord"));

  WriteSettings(FileWithLine(51, "Ost€𝄞€€12345"));
  LoadSettings(*config);
  EXPECT_EQ(config->settings.surveyLine, "Ost€𝄞€€1234");
  WriteSettings(FileWithLine(51,
                             "\xC3"
                             "ABC"));  // a lone lead byte from an older save
  LoadSettings(*config);
  EXPECT_EQ(config->settings.surveyLine, "\uFFFDABC");
}

TEST_F(SettingsFileTest, UnterminatedLastLineIsALineAndMissingLinesReadAsEmpty) {
  std::string bytes = FileWithLine(72, "2.500000");
  bytes.resize(bytes.size() - 2);  // a hand-edited file whose last line lost its CR LF
  WriteSettings(bytes);
  LoadSettings(*config);
  EXPECT_EQ(config->settings.gpsWarnSatellites, 5);
  EXPECT_EQ(config->settings.gpsWarnPdop, 2.5f);
  SaveSettings(*config);
  EXPECT_EQ(SettingsBytes(), FileWithLine(72, "2.500000"));

  std::vector<std::string> lines = FirstStartLines();
  lines.resize(40);  // up to gpsDataBits
  WriteSettings(JoinCrLf(lines));
  LoadSettings(*config);
  EXPECT_EQ(config->settings.gpsDataBits, 1);
  EXPECT_EQ(config->settings.gpsWarnSatellites, 0);
  EXPECT_EQ(config->readingIntervalMs, 0);
}

TEST_F(SettingsFileTest, UnwritableDeviceLeavesTheRecordAsItWas) {
  // Running as root ignores folder permissions, so the root (or C_DRIVE) is made a plain file.
  root.WriteFile(root.Path() / "file-root", "x");
  root.WriteFile(root.Path() / "drive" / "C_DRIVE", "x");
  for (const char* deviceRoot : {"file-root", "drive"}) {
    SCOPED_TRACE(deviceRoot);
    platform::SetDeviceRoot(root.Path() / deviceRoot);
    auto state = std::make_unique<ConfigState>();
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
  StartUp(*config);
  EXPECT_EQ(config->settings.profileMin, 500.0f);
  EXPECT_EQ(config->settings.profileMax, 500.0f);

  lines[33] = "-1e39";  // beyond float: -inf
  lines[34] = "nan";
  lines[49] = "nan";    // readingInterval
  lines[54] = "1e400";  // startStation, beyond double
  WriteSettings(JoinCrLf(lines));
  LoadSettings(*config);
  EXPECT_TRUE(std::isinf(config->settings.profileMin));
  EXPECT_TRUE(std::isnan(config->settings.profileMax));
  EXPECT_EQ(config->readingIntervalMs, 0);
  EXPECT_TRUE(std::isinf(config->currentStation));
  // Written back as they are, they read the same again.
  SaveSettings(*config);
  auto later = std::make_unique<ConfigState>();
  LoadSettings(*later);
  EXPECT_TRUE(std::isnan(later->settings.readingInterval));
  EXPECT_TRUE(std::isinf(later->settings.profileMin));
}

}  // namespace
}  // namespace gradlog
