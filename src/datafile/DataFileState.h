#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "common/SharedHandle.h"
#include "datafile/DataFile.h"
#include "datafile/Record.h"

namespace gradlog {

// The run's data file and its counters. The UI thread opens and closes the file; the
// total-station reader appends to it through a copy of the handle, and reads the atomics.
struct DataFileState {
  SharedHandle<DataFile> dataFileHandle;
  std::string dataFilePath;  // device path of the open data file
  std::string dataFileName;
  std::int32_t recordLength = RECORD_LENGTH;
  std::atomic<std::int32_t> recordingState{0};
  std::atomic<std::uint32_t> recordingStartTick{0};
  std::int32_t gradReadingCount = 0;
  std::atomic<std::int32_t> gpsRecordCount{0};
  std::int32_t firstReadingDone = 0;  // 0: the next reading is taken at currentStation
};

}  // namespace gradlog
