#include "gps/TotalStationReader.h"

#include <cstdint>
#include <string_view>

#include "common/BusyWait.h"
#include "common/UserMessages.h"
#include "datafile/RecordWriters.h"
#include "gps/TotalStationFramer.h"
#include "serial/PortByteLoop.h"

namespace gradlog {

namespace {

// The station is given a moment after its port opened before the first read.
constexpr std::int32_t START_PAUSE_MS = 100;

// Records go to the data file from this thread: no handler runs for them, and DataFile keeps
// each group whole beside the UI thread's writes. A failed write is counted by the file, and
// the position handler shows it. A record begun before recording started is neither written
// nor counted, so the counts in the file run without a gap.
void WriteFinishedRecord(DataFileState& dataFile, std::string_view text, std::uint32_t tick) {
  if (dataFile.recordingState.load() != 1 || !RecordsSentenceAt(dataFile, tick))
    return;
  ++dataFile.gpsRecordCount;
  WriteSentenceRecords(dataFile, text, tick, '@', '#', '!', 'p');
}

}  // namespace

void TotalStationReaderThread(platform::ReaderThread& self, SharedPort& port,
                              DataFileState& dataFile, platform::Hwnd target) {
  BusyWaitMs(START_PAUSE_MS);
  TotalStationFramer framer;
  ReadPortBytesUntilStopped(
      self, port, [&framer] { framer.Reset(); },
      [&framer, &dataFile, target](char byte, std::uint32_t tick) {
        const TotalStationFramer::Output output = framer.Feed(byte, tick);
        if (output.finishedRecord)
          WriteFinishedRecord(dataFile, *output.finishedRecord, output.finishedRecordTick);
        if (output.position)
          platform::PostMessage(target, UM_TPS_POSITION, 0, 0, *output.position);
      });
}

void StartTotalStationReader(SerialState& serial, DataFileState& dataFile, platform::Hwnd target) {
  serial.gps.StartReader([&serial, &dataFile, target](platform::ReaderThread& self) {
    TotalStationReaderThread(self, serial.gps.Port(), dataFile, target);
  });
}

}  // namespace gradlog
