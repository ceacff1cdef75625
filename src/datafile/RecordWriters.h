#pragma once

#include <cstdint>
#include <string_view>

#include "config/ConfigState.h"
#include "datafile/DataFileState.h"

namespace gradlog {

// The writers append to run.dataFileHandle. Each returns false when there is no open data
// file or a write failed (the file then still ends on a whole record); callers show that.

// The three header records that open a data file: format, name and positioning.
bool WriteDataFileHeader(DataFileState& run, const ConfigState& config);
// 'L', 'B', 'A' and 'Z': the line, its start station, direction and increment, date and time.
bool WriteLineStartRecords(DataFileState& run, const ConfigState& config);
// '*': the local time to the millisecond beside the tick count.
bool WriteClockRecord(DataFileState& run);
// 'S': a station.
bool WriteStationRecord(DataFileState& run, double station);
// 'C' (comment) or 'X' (event): `text` (UTF-8) as 8-bit text, cut to 11 characters.
bool WriteTextRecord(DataFileState& run, std::string_view text, char marker);
// A reading: `text` in 25-character pieces, then '>' with gradReadingCount and `tick`.
bool WriteReadingRecords(DataFileState& run, std::string_view text, std::uint32_t tick, char first,
                         char continuation, char end);
// Whether a sentence that began at `tick` belongs to the recording (not before its start).
bool RecordsSentenceAt(const DataFileState& run, std::uint32_t tick);
// A sentence: as a reading, the end record with gpsRecordCount and `status`. Sentences
// whose tick is before recordingStartTick are not written (and that is no failure).
bool WriteSentenceRecords(DataFileState& run, std::string_view text, std::uint32_t tick, char first,
                          char continuation, char end, char status);

}  // namespace gradlog
