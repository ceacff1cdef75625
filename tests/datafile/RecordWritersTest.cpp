#include "datafile/RecordWriters.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "datafile/GroupParser.h"
#include "datafile/RecordText.h"
#include "platform/sys/Files.h"
#include "support/InstalledFakeServices.h"
#include "support/TempDeviceRoot.h"

namespace gradlog {
namespace {

using testing::GroupMarkers;
using testing::ParseGroups;
using testing::Shown;

constexpr std::string_view DATA_PATH = "C_DRIVE\\DATAZEP601\\120510A.601";
constexpr std::uint32_t EXAMPLE_TICK = 123456789;
const std::string GGA_72 =
    "$GPGGA,102007.250,5230.12345,N,01322.56789,E,1,08,0.9,45.3,M,47.0,M,,*6D";

class RecordWritersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::CreateDirectoryPath("C_DRIVE\\DATAZEP601"));
    run->dataFileHandle.Set(DataFile::Create(DATA_PATH));
    ASSERT_NE(run->dataFileHandle.Get(), nullptr);
    run->dataFileName = "120510A";
    // 123456789 ms after this it is 5 December 2026, 10:20:07.250.
    services.SetLocalTime({2026, 12, 4, 5, 0, 2, 30, 461});
    services.SetTickCount(EXAMPLE_TICK);
  }

  // The records of the file so far, shown as the format's tables write them.
  std::vector<std::string> Records() {
    EXPECT_TRUE(run->dataFileHandle.Get()->Sync());
    const std::string bytes = root.ReadFile(root.Path() / "C_DRIVE/DATAZEP601/120510A.601");
    EXPECT_EQ(bytes.size() % RECORD_LENGTH, 0u);
    std::vector<std::string> records;
    for (std::size_t pos = 0; pos < bytes.size(); pos += RECORD_LENGTH)
      records.push_back(Shown(std::string_view(bytes).substr(pos, RECORD_LENGTH)));
    return records;
  }

  gradlog::testing::TempDeviceRoot root;
  testing_support::InstalledFakeServices services;
  std::unique_ptr<ConfigState> config = std::make_unique<ConfigState>();
  std::unique_ptr<DataFileState> run = std::make_unique<DataFileState>();
};

TEST_F(RecordWritersTest, NewFileOfTheExampleHoldsHeaderLineStartAndClock) {
  EXPECT_TRUE(WriteDataFileHeader(*run, *config));
  EXPECT_TRUE(WriteLineStartRecords(*run, *config));
  EXPECT_TRUE(WriteClockRecord(*run));
  const std::vector<std::string> expected{
      "ZEP601__W134GPS0_0_2______", "H_120510A____0.200________", "G___0.00___0.00___001_____",
      "L0________________________", "B_______0.00______________", "AS____________1.000_______",
      "Z05122026_10:20:07________", "*10:20:07.250____123456789",
  };
  EXPECT_EQ(Records(), expected);
  EXPECT_EQ(run->dataFileHandle.Get()->RecordsWritten(), 8u);
}

TEST_F(RecordWritersTest, HeaderUsesTheOffsetsAndTheLineStartTheCurrentValues) {
  config->gpsOffsetX = -12.5f;
  config->gpsOffsetY = 0.75f;
  config->settings.surveyLine = "NORTH-12";
  config->settings.startStation = 250.0;
  config->settings.lineDirection = 2;
  config->currentStationIncrement = -0.5f;
  EXPECT_TRUE(WriteDataFileHeader(*run, *config));
  EXPECT_TRUE(WriteLineStartRecords(*run, *config));
  const std::vector<std::string> records = Records();
  ASSERT_EQ(records.size(), 7u);
  EXPECT_EQ(std::vector(records.begin() + 2, records.begin() + 6),
            (std::vector<std::string>{"G_-12.50___0.75___001_____", "LNORTH-12_________________",
                                      "B_____250.00______________", "AN___________-0.500_______"}));
}

TEST_F(RecordWritersTest, StationCommentAndEventCarryTheTickAtWriting) {
  config->currentStation = 17.25;
  EXPECT_TRUE(WriteStationRecord(*run, config->currentStation));
  services.Advance(11);
  EXPECT_TRUE(WriteTextRecord(*run, "MAGNETIC ANOMALY 3", 'C'));
  EXPECT_TRUE(WriteTextRecord(*run, "$CONN END  ", 'X'));
  const std::vector<std::string> expected{
      "S______17.25_____123456789",
      "CMAGNETIC_AN_____123456800",
      "X$CONN_END_______123456800",
  };
  EXPECT_EQ(Records(), expected);
}

TEST_F(RecordWritersTest, ReadingGroupsSplitIntoPiecesOf25) {
  struct GroupCase {
    std::string text;
    std::vector<std::string> pieces;
  };
  const std::vector<GroupCase> cases{
      {"$12345.67", {"T$12345.67________________"}},
      {"$123456789012345678901234", {"T$123456789012345678901234"}},
      {"$1234567890123456789012345", {"T$123456789012345678901234", "=5________________________"}},
      {"", {"T_________________________"}},
  };
  std::vector<std::string> expected;
  for (const GroupCase& c : cases) {
    ++run->gradReadingCount;
    EXPECT_TRUE(WriteReadingRecords(*run, c.text, 1000 + run->gradReadingCount, 'T', '=', '>'));
    expected.insert(expected.end(), c.pieces.begin(), c.pieces.end());
    expected.push_back(">00000" + std::to_string(run->gradReadingCount) + "_______________100" +
                       std::to_string(run->gradReadingCount));
  }
  // The first reading of a run is number 000001; a 9-character reading takes 54 bytes.
  EXPECT_EQ(Records(), expected);
}

TEST_F(RecordWritersTest, SentenceGroupsOfGoodAndBadSentences) {
  run->gpsRecordCount = 12;
  EXPECT_TRUE(WriteSentenceRecords(*run, GGA_72, EXAMPLE_TICK, '@', '#', '!', 'p'));
  EXPECT_TRUE(WriteSentenceRecords(*run, "$GPGSA,A,3*00", 5, '?', '"', '!', ' '));
  const std::vector<std::string> expected{
      "@$GPGGA,102007.250,5230.12", "#345,N,01322.56789,E,1,08,", "#0.9,45.3,M,47.0,M,,*6D___",
      "!000012p_________123456789", "?$GPGSA,A,3*00____________", "!000012__________________5",
  };
  EXPECT_EQ(Records(), expected);
}

TEST_F(RecordWritersTest, SentenceBeforeTheRecordingStartLeavesNoTrace) {
  struct StartCase {
    const char* description;
    std::uint32_t recordingStart;
    std::uint32_t tick;
    bool written;
  };
  const std::vector<StartCase> cases{
      {"one tick before the start", 5000, 4999, false},
      {"at the start", 5000, 5000, true},
      {"after the start", 5000, 9000, true},
      {"started before the tick count wrapped, sentence after it", 0xFFFFFF00u, 0x10u, true},
      {"started after the wrap, sentence before it", 0x10u, 0xFFFFFF00u, false},
      {"started before the wrap, sentence earlier still", 0xFFFFFF00u, 0xFFFFFE00u, false},
  };
  std::uint64_t records = 0;
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.description);
    run->recordingStartTick = c.recordingStart;
    EXPECT_TRUE(WriteSentenceRecords(*run, "$GPRMC", c.tick, '@', '#', '!', 'p'));
    records += c.written ? 2 : 0;
    EXPECT_EQ(run->dataFileHandle.Get()->RecordsWritten(), records);
  }
  EXPECT_EQ(Records().size(), records);
}

// The UI thread opens and closes data files while a reader appends through its copy of the
// handle: the hand-over is locked (ThreadSanitizer finds a bare shared pointer here), and each
// file still holds whole groups only.
TEST_F(RecordWritersTest, FilesOpenedAndClosedUnderAWritingThreadHoldWholeGroups) {
  constexpr int FILES = 20;
  std::atomic<bool> writing{true};
  std::thread writer([&] {
    for (std::uint32_t tick = 0; writing; ++tick)
      WriteReadingRecords(*run, "$PBAR,1012.43,-998.10,1012.43,-998.10", tick, 'T', '=', '>');
  });
  for (int i = 0; i < FILES; ++i) {
    run->dataFileHandle.Set(DataFile::Create("C_DRIVE\\DATAZEP601\\F" + std::to_string(i)));
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    run->dataFileHandle.Take();
  }
  writing = false;
  writer.join();
  const GroupMarkers readings{'T', '=', '>'};
  for (int i = 0; i < FILES; ++i) {
    const std::string bytes =
        root.ReadFile(root.Path() / "C_DRIVE" / "DATAZEP601" / ("F" + std::to_string(i)));
    EXPECT_EQ(ParseGroups(bytes, std::span(&readings, 1)).fault, "") << "file " << i;
  }
}

TEST_F(RecordWritersTest, WithoutAnOpenFileEveryWriterReportsFailure) {
  run->dataFileHandle.Take();
  EXPECT_FALSE(WriteDataFileHeader(*run, *config));
  EXPECT_FALSE(WriteLineStartRecords(*run, *config));
  EXPECT_FALSE(WriteClockRecord(*run));
  EXPECT_FALSE(WriteStationRecord(*run, config->currentStation));
  EXPECT_FALSE(WriteTextRecord(*run, "x", 'C'));
  EXPECT_FALSE(WriteReadingRecords(*run, "$1", 1, 'T', '=', '>'));
  EXPECT_FALSE(WriteSentenceRecords(*run, "$GPGGA", 1, '@', '#', '!', 'p'));
}

}  // namespace
}  // namespace gradlog
