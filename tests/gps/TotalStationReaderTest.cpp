#include "gps/TotalStationReader.h"

#include <gtest/gtest.h>

#include <any>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/UserMessages.h"
#include "datafile/RecordFormat.h"
#include "gps/TotalStationFramer.h"
#include "platform/sys/ThreadTestSupport.h"
#include "serial/PortSetup.h"
#include "support/TempDeviceRoot.h"
#include "support/TestPlatform.h"

namespace gradlog {
namespace {

using namespace platform;

// The bytes of a sentence group as the data file holds it.
std::string SentenceGroup(std::string_view text, std::int32_t count, std::uint32_t tick) {
  std::vector<Record> records = SplitIntoGroupPieces(text, '@', '#');
  records.push_back(FormatSentenceEndRecord('!', count, 'p', tick));
  std::string bytes;
  for (const Record& record : records)
    bytes.append(record.begin(), record.end());
  return bytes;
}

// A logging window collecting the positions the reader posts, a data file in a device root,
// and the station on an in-memory cable.
class TotalStationReaderTest : public ::testing::Test {
 protected:
  TotalStationReaderTest() {
    RegisterClass({.name = "Logging", .procedure = [this](const Message& m) -> LRESULT {
                     if (m.message != UM_TPS_POSITION)
                       return DefWindowProc(m);
                     if (const auto* position = std::any_cast<TotalStationPosition>(&m.payload))
                       positions.push_back(*position);
                     return 0;
                   }});
    loggingWindow = CreateWindow({.className = "Logging", .rect = {0, 0, 320, 240}});
    dataFile.dataFileHandle.Set(DataFile::Create("data.601"));
    dataFile.recordingState = -1;
    auto [logger, station] = MakeMemoryPortPair();
    logger->SetTimeouts(GPS_TIMEOUTS);
    serial->gps.Port().Set(logger);
    stationEnd = station;
    StartTotalStationReader(*serial, dataFile, loggingWindow);
  }

  // The station sends the lines of a record; returns once its position has come.
  void StationSendsRecord(std::string_view lines) {
    stationEnd->Write(std::span<const char>(lines.data(), lines.size()));
    const std::size_t expected = positions.size() + 1;
    ASSERT_TRUE(testing::Eventually([&] {
      PumpMessages();
      return positions.size() == expected;
    }));
  }
  // The same with the clock at `tick`. The clock is moved only while the reader is idle: past
  // its start pause (once a first record has come) and done with the bytes before (the last
  // LF gave the position).
  void StationSendsRecordAt(std::uint32_t tick, std::string_view lines) {
    test.services.SetTickCount(tick);
    StationSendsRecord(lines);
  }
  std::string FileBytes() {
    dataFile.dataFileHandle.Take();
    return root.ReadFile(root.Path() / "data.601");
  }

  testing_support::TestPlatform test;
  testing::TempDeviceRoot root;
  Hwnd loggingWindow;
  DataFileState dataFile;
  std::vector<TotalStationPosition> positions;
  PortHandle stationEnd;
  std::unique_ptr<SerialState> serial = std::make_unique<SerialState>();
};

// A record is finished, and written, when the next one begins: whether it is written depends
// on the recording state at that moment. Its position is posted whatever the state.
TEST_F(TotalStationReaderTest, RecordsAreWrittenOnlyWhileRecordingAndEveryPositionIsPosted) {
  StationSendsRecord(">37=0\r\n38=0\r\n");
  StationSendsRecordAt(10000, ">37=5000.125\r\n38=1000.250\r\n");
  dataFile.recordingState = 1;
  StationSendsRecordAt(11000, ">37=5001.5\r\n38=1001.75\r\n39=12.125\r\n");
  StationSendsRecordAt(12000, ">38=1002\r\n37=-2.5,38=\r\n");
  dataFile.recordingState = -1;
  StationSendsRecordAt(13000, ">37=5003\r\n38=1003\r\n");

  ASSERT_EQ(positions.size(), 5u);
  EXPECT_EQ(positions[1].north, static_cast<double>(5000.125f));
  EXPECT_EQ(positions[1].east, static_cast<double>(1000.25f));
  EXPECT_EQ(positions[1].tick, 10000u);
  EXPECT_EQ(positions[3].north, -2.5);
  EXPECT_EQ(positions[3].east, 1002.0);  // given first: the second line's empty value is not read
  EXPECT_EQ(positions[3].tick, 12000u);

  EXPECT_EQ(dataFile.gpsRecordCount.load(), 2);
  // The second record is 31 characters: a first and a continuation record before its end.
  EXPECT_EQ(FileBytes(), SentenceGroup(">37=5000.125,38=1000.250", 1, 10000) +
                             SentenceGroup(">37=5001.5,38=1001.75,39=12.125", 2, 11000));
}

}  // namespace
}  // namespace gradlog
