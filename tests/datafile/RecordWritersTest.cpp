#include "datafile/RecordWriters.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "datafile/RecordText.h"
#include "platform/sys/Files.h"
#include "support/InstalledFakeServices.h"
#include "support/TempDeviceRoot.h"

namespace gradlog {
namespace {

using testing::Shown;

constexpr std::string_view DATA_PATH = "C_DRIVE\\DATAZEP601\\120510A.601";
constexpr std::uint32_t EXAMPLE_TICK = 123456789;
const std::string GGA_72 =
    "$GPGGA,102007.250,5230.12345,N,01322.56789,E,1,08,0.9,45.3,M,47.0,M,,*6D";

class RecordWritersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::CreateDirectoryPath("C_DRIVE\\DATAZEP601"));
    app->dataFileHandle = DataFile::Create(DATA_PATH);
    ASSERT_NE(app->dataFileHandle, nullptr);
    app->dataFileName = "120510A";
    // 123456789 ms after this it is 5 December 2026, 10:20:07.250.
    services.SetLocalTime({2026, 12, 4, 5, 0, 2, 30, 461});
    services.SetTickCount(EXAMPLE_TICK);
  }

  // The records of the file so far, shown as the format's tables write them.
  std::vector<std::string> Records() {
    EXPECT_TRUE(app->dataFileHandle->Sync());
    const std::string bytes = root.ReadFile(root.Path() / "C_DRIVE/DATAZEP601/120510A.601");
    EXPECT_EQ(bytes.size() % RECORD_LENGTH, 0u);
    std::vector<std::string> records;
    for (std::size_t pos = 0; pos < bytes.size(); pos += RECORD_LENGTH)
      records.push_back(Shown(std::string_view(bytes).substr(pos, RECORD_LENGTH)));
    return records;
  }

  gradlog::testing::TempDeviceRoot root;
  testing_support::InstalledFakeServices services;
  std::unique_ptr<AppState> app = std::make_unique<AppState>();
};

TEST_F(RecordWritersTest, NewFileOfTheExampleHoldsHeaderLineStartAndClock) {
  EXPECT_TRUE(WriteDataFileHeader(*app));
  EXPECT_TRUE(WriteLineStartRecords(*app));
  EXPECT_TRUE(WriteClockRecord(*app));
  const std::vector<std::string> expected{
      "ZEP601__W134GPS0_0_2______", "H_120510A____0.200________", "G___0.00___0.00___001_____",
      "L0________________________", "B_______0.00______________", "AS____________1.000_______",
      "Z05122026_10:20:07________", "*10:20:07.250____123456789",
  };
  EXPECT_EQ(Records(), expected);
  EXPECT_EQ(app->dataFileHandle->RecordsWritten(), 8u);
}

TEST_F(RecordWritersTest, HeaderUsesTheOffsetsAndTheLineStartTheCurrentValues) {
  app->gpsOffsetX = -12.5f;
  app->gpsOffsetY = 0.75f;
  app->settings.surveyLine = "NORTH-12";
  app->settings.startStation = 250.0;
  app->settings.lineDirection = 2;
  app->currentStationIncrement = -0.5f;
  EXPECT_TRUE(WriteDataFileHeader(*app));
  EXPECT_TRUE(WriteLineStartRecords(*app));
  const std::vector<std::string> records = Records();
  ASSERT_EQ(records.size(), 7u);
  EXPECT_EQ(std::vector(records.begin() + 2, records.begin() + 6),
            (std::vector<std::string>{"G_-12.50___0.75___001_____", "LNORTH-12_________________",
                                      "B_____250.00______________", "AN___________-0.500_______"}));
}

TEST_F(RecordWritersTest, StationCommentAndEventCarryTheTickAtWriting) {
  app->currentStation = 17.25;
  EXPECT_TRUE(WriteStationRecord(*app));
  services.Advance(11);
  EXPECT_TRUE(WriteTextRecord(*app, "MAGNETIC ANOMALY 3", 'C'));
  EXPECT_TRUE(WriteTextRecord(*app, "$CONN END  ", 'X'));
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
    ++app->gradReadingCount;
    EXPECT_TRUE(WriteReadingRecords(*app, c.text, 1000 + app->gradReadingCount, 'T', '=', '>'));
    expected.insert(expected.end(), c.pieces.begin(), c.pieces.end());
    expected.push_back(">00000" + std::to_string(app->gradReadingCount) + "_______________100" +
                       std::to_string(app->gradReadingCount));
  }
  // The first reading of a run is number 000001; a 9-character reading takes 54 bytes.
  EXPECT_EQ(Records(), expected);
}

TEST_F(RecordWritersTest, SentenceGroupsOfGoodAndBadSentences) {
  app->gpsRecordCount = 12;
  EXPECT_TRUE(WriteSentenceRecords(*app, GGA_72, EXAMPLE_TICK, '@', '#', '!', 'p'));
  EXPECT_TRUE(WriteSentenceRecords(*app, "$GPGSA,A,3*00", 5, '?', '"', '!', ' '));
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
    app->recordingStartTick = c.recordingStart;
    EXPECT_TRUE(WriteSentenceRecords(*app, "$GPRMC", c.tick, '@', '#', '!', 'p'));
    records += c.written ? 2 : 0;
    EXPECT_EQ(app->dataFileHandle->RecordsWritten(), records);
  }
  EXPECT_EQ(Records().size(), records);
}

TEST_F(RecordWritersTest, WithoutAnOpenFileEveryWriterReportsFailure) {
  app->dataFileHandle.reset();
  EXPECT_FALSE(WriteDataFileHeader(*app));
  EXPECT_FALSE(WriteLineStartRecords(*app));
  EXPECT_FALSE(WriteClockRecord(*app));
  EXPECT_FALSE(WriteStationRecord(*app));
  EXPECT_FALSE(WriteTextRecord(*app, "x", 'C'));
  EXPECT_FALSE(WriteReadingRecords(*app, "$1", 1, 'T', '=', '>'));
  EXPECT_FALSE(WriteSentenceRecords(*app, "$GPGGA", 1, '@', '#', '!', 'p'));
}

}  // namespace
}  // namespace gradlog
