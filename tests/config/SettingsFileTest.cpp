#include "config/SettingsFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "config/SettingsFileFixture.h"
#include "config/SurveyLineText.h"
#include "support/ForkedChild.h"

namespace gradlog {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testing_support::FirstStartLines;
using testing_support::JoinCrLf;

using SettingsFileTest = testing::SettingsFileFixture;

TEST_F(SettingsFileTest, FirstStartCreatesTheDefaultFileAndReadsItBackNextTime) {
  config->readingIntervalMs = -1;
  for (const std::int32_t readingMs : {-1, 200}) {  // a created file is read by the next load
    config->gpsOffsetX = 1.5f;
    config->gpsOffsetY = -2.0f;
    ::testing::internal::CaptureStderr();
    LoadSettings(*config);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "a missing file needs no word";
    EXPECT_EQ(SettingsBytes(), FirstStartFile());
    EXPECT_EQ(config->readingIntervalMs, readingMs);
    EXPECT_EQ(config->gpsOffsetX, 0.0f);
    EXPECT_EQ(config->gpsOffsetY, 0.0f);
  }
}

TEST_F(SettingsFileTest, FileOfAnotherVersionIsReplacedFromTheRecord) {
  for (const std::string firstLine : {"Ver1.33", "ver1.34", "Ver1.34 ", ""}) {
    SCOPED_TRACE("first line '" + firstLine + "'");
    WriteSettings(FileWithLine(1, firstLine));
    *config = ConfigState{};
    config->settings.gpsPort = 3;  // the record's current value is what gets written
    LoadSettings(*config);
    EXPECT_EQ(config->settings.gpsPort, 3);
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

// Integers take the leading number clamped to 32 bits, a line its first 512 characters; derived
// values follow their lines, in this order (the last row keeps what the one before set).
TEST_F(SettingsFileTest, LinesSetFieldsAndDerivedValues) {
  using C = const ConfigState&;
  using Value = std::function<std::int64_t(C)>;
  const Value scale = [](C c) { return c.settings.mapScale; };
  const Value displayMs = [](C c) { return c.gpsDisplayIntervalMs; };
  const Value readingMs = [](C c) { return c.readingIntervalMs; };
  const Value increment = [](C c) { return std::lround(c.currentStationIncrement * 10); };
  constexpr std::int64_t MAX = std::numeric_limits<std::int32_t>::max();
  const std::vector<std::tuple<int, std::string, Value, std::int64_t>> cases{
      {67, std::string(511, '0') + "79", scale, 7},
      {67, "99999999999", scale, MAX},
      {67, "-99999999999", scale, -MAX - 1},
      {43, "2000000000", displayMs, -MAX - 1},
      {50, "nan", readingMs, 0},
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
  LoadSettings(*config);
  EXPECT_EQ(config->storageCardPresent, 0);
  EXPECT_EQ(config->settings.dataStorage, 0);
  fs::create_directory(root.Path() / "Storage Card");
  LoadSettings(*config);
  EXPECT_EQ(config->storageCardPresent, 1);
  EXPECT_EQ(config->settings.dataStorage, 1);
}

// Written, a line end in the survey line would shift every later line; read, it keeps eleven
// whole characters.
TEST_F(SettingsFileTest, SurveyLineKeepsItsLineAndWholeCharactersInTheFile) {
  config->settings.surveyLine = "Ost€𝄞\r\n1";
  SaveSettings(*config);
  EXPECT_EQ(SettingsBytes(), FileWithLine(51, "Ost€𝄞"));
  WriteSettings(FileWithLine(51, "Ost€𝄞€€12345"));
  LoadSettings(*config);
  EXPECT_EQ(config->settings.surveyLine, "Ost€𝄞€€1234");
}

TEST_F(SettingsFileTest, UnterminatedLastLineIsALineAndMissingLinesReadAsEmpty) {
  std::string bytes = FileWithLine(72, "2.500000");
  bytes.resize(bytes.size() - 2);  // a hand-edited file whose last line lost its CR LF
  WriteSettings(bytes);
  LoadSettings(*config);
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

// Eleven whole characters are kept, however many bytes each takes; each byte that starts no
// valid character becomes one U+FFFD and counts as one character.
TEST(SurveyLineText, KeepsElevenWholeCharacters) {
  const std::string ten = "ABCDEFGHIJ";
  const std::string fffd = "\xEF\xBF\xBD";
  const std::vector<std::tuple<const char*, std::string, std::string>> cases{
      {"ASCII beyond eleven", ten + "KLM", ten + "K"},
      {"2-byte character eleventh", ten + "é" + "X", ten + "é"},
      {"3-byte character across byte 11", "ABCDEFGHI€€", "ABCDEFGHI€€"},
      {"only 4-byte characters", "𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞", "𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞𝄞"},
      {"a real U+FFFD", "a" + fffd + "b", "a" + fffd + "b"},
      {"CR LF ends the line", "L1\r\nX", "L1"},
      {"LF ends the line", "\nX", ""},
      {"zero byte ends the line", std::string("L\0X", 3), "L"},
      {"lone continuation byte", "\200AB", fffd + "AB"},
      {"lead byte without its continuation", "A\303B", "A" + fffd + "B"},
      {"3-byte character cut at the end", "AB\xE2\x82", "AB" + fffd + fffd},
      {"4-byte character cut at the end", ten + "\xF0\x9D\x84", ten + fffd},
      {"overlong slash", "\xC0\xAF", fffd + fffd},
      {"surrogate", "\xED\xA0\x80", fffd + fffd + fffd},
      {"bytes never in UTF-8", "\xFF\xFE", fffd + fffd},
  };
  for (const auto& [what, input, expected] : cases)
    EXPECT_EQ(SurveyLineText(input), expected) << what;
}

// The settings file against power cuts, hand edits and things that are no settings file.
using SettingsFileRecoveryTest = testing::SettingsFileFixture;

TEST_F(SettingsFileRecoveryTest, UnreadableFileIsKeptAsBadBeforeTheDefaultsAreWritten) {
  std::string crOnly = FirstStartFile();
  std::erase(crOnly, '\n');
  const std::pair<std::string, const char*> cases[] = {
      {crOnly, "(its first line is not Ver1.34)"},
      {FileWithLine(51, std::string(5 << 20, 'L')), "(larger than 65536 bytes)"},
  };
  for (const auto& [bytes, reason] : cases) {
    SCOPED_TRACE(reason);
    WriteSettings(bytes);
    root.WriteFile(BadPath(), "an older .bad");
    const std::string errorOutput = StartUpFresh();
    EXPECT_EQ(root.ReadFile(BadPath()), bytes);
    EXPECT_EQ(SettingsBytes(), FirstStartFile());
    EXPECT_THAT(errorOutput, HasSubstr(root.SettingsPath().string() + " is unreadable " + reason +
                                       "; it is kept as Z601CX.INI.bad"));
    EXPECT_EQ(std::count(errorOutput.begin(), errorOutput.end(), '\n'), 1) << errorOutput;
  }
}

// Neither reading a FIFO without a writer nor an endless device may hold up start-up.
TEST_F(SettingsFileRecoveryTest, FifoOrDeviceInPlaceOfTheFileIsSetAsideWithoutReadingIt) {
  fs::create_directories(root.SettingsPath().parent_path());
  ASSERT_EQ(::mkfifo(root.SettingsPath().c_str(), 0644), 0);
  EXPECT_THAT(StartUpFresh(), HasSubstr("(not a regular file)"));
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(BadPath())));
  EXPECT_EQ(SettingsBytes(), FirstStartFile());

  fs::remove(root.SettingsPath());
  fs::create_symlink("/dev/zero", root.SettingsPath());
  EXPECT_THAT(StartUpFresh(), HasSubstr("(not a regular file)"));
  EXPECT_EQ(fs::read_symlink(BadPath()), "/dev/zero");
  EXPECT_EQ(SettingsBytes(), FirstStartFile());
}

// Where the unreadable file cannot be kept (a folder with files holds the .bad name), it is
// not written over either.
TEST_F(SettingsFileRecoveryTest, UnreadableFileThatCannotBeKeptIsLeftAlone) {
  WriteSettings(FileWithLine(1, "Ver1.20"));
  root.WriteFile(BadPath() / "inside", "x");
  EXPECT_THAT(StartUpFresh(), HasSubstr("cannot be kept as Z601CX.INI.bad"));
  EXPECT_EQ(SettingsBytes(), FileWithLine(1, "Ver1.20"));
}

// A save that fails part of the way leaves the old file byte for byte and no temporary file.
TEST_F(SettingsFileRecoveryTest, FailedSaveIsReportedAndLeavesTheOldFileWhole) {
  StartUpFresh();
  config->settings.gpsPort = 7;
  // A child whose files may grow to 100 bytes (less than the file) saves, as on a full card.
  int errorPipe[2];
  ASSERT_EQ(::pipe(errorPipe), 0);
  testing_support::ForkedChild saver([&](testing_support::ForkedChild& child) {
    ::dup2(errorPipe[1], STDERR_FILENO);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 100;
    child.Send(::setrlimit(RLIMIT_FSIZE, &limit) == 0 && !SaveSettings(*config));
  });
  ::close(errorPipe[1]);
  EXPECT_TRUE(saver.Receive<bool>().value_or(false)) << "saved, or no limit";
  std::string errorOutput;
  char buffer[512];
  for (ssize_t count; (count = ::read(errorPipe[0], buffer, sizeof buffer)) > 0;)
    errorOutput.append(buffer, static_cast<std::size_t>(count));
  ::close(errorPipe[0]);
  EXPECT_EQ(SettingsBytes(), FirstStartFile());
  EXPECT_EQ(std::distance(fs::directory_iterator(root.SettingsPath().parent_path()), {}), 1);
  EXPECT_THAT(errorOutput, HasSubstr(root.SettingsPath().string() + " cannot be saved"));
  EXPECT_THAT(errorOutput, HasSubstr("File too large"));

  // With room again the same save goes through.
  EXPECT_TRUE(SaveSettings(*config));
  EXPECT_EQ(SettingsBytes(), FileWithLine(38, "7"));
}

}  // namespace
}  // namespace gradlog
