#include "datafile/RecordWriters.h"

#include <array>
#include <memory>
#include <span>
#include <vector>

#include "datafile/RecordFormat.h"
#include "platform/sys/SystemServices.h"

namespace gradlog {

namespace {

bool AppendToDataFile(DataFileState& run, std::span<const Record> records) {
  // A copy of the handle keeps the file open for this call even if the run ends meanwhile.
  const std::shared_ptr<DataFile> file = run.dataFileHandle.Get();
  return file != nullptr && file->Append(records);
}

bool AppendToDataFile(DataFileState& run, const Record& record) {
  return AppendToDataFile(run, std::span<const Record>(&record, 1));
}

}  // namespace

bool WriteDataFileHeader(DataFileState& run, const ConfigState& config) {
  const std::array<Record, 3> records{
      FormatFormatRecord(config.settings),
      FormatNameRecord(config.settings, run.dataFileName),
      FormatPositioningRecord(config.settings, config.gpsOffsetX, config.gpsOffsetY),
  };
  return AppendToDataFile(run, records);
}

bool WriteLineStartRecords(DataFileState& run, const ConfigState& config) {
  const platform::LocalTime now = platform::Services().Now();
  const std::array<Record, 4> records{
      FormatLineRecord(config.settings.surveyLine),
      FormatStartStationRecord(config.settings.startStation),
      FormatDirectionRecord(config.settings.lineDirection, config.currentStationIncrement),
      FormatDateTimeRecord(now),
  };
  return AppendToDataFile(run, records);
}

bool WriteClockRecord(DataFileState& run) {
  // The tick first, then the time: the pair says which local time a tick stamp had.
  const std::uint32_t tick = platform::Services().TickCount();
  const platform::LocalTime now = platform::Services().Now();
  return AppendToDataFile(run, FormatClockRecord(now, tick));
}

bool WriteStationRecord(DataFileState& run, double station) {
  const std::uint32_t tick = platform::Services().TickCount();
  return AppendToDataFile(run, FormatStationRecord(station, tick));
}

bool WriteTextRecord(DataFileState& run, std::string_view text, char marker) {
  const std::uint32_t tick = platform::Services().TickCount();
  return AppendToDataFile(run, FormatTextRecord(marker, text, tick));
}

bool WriteReadingRecords(DataFileState& run, std::string_view text, std::uint32_t tick, char first,
                         char continuation, char end) {
  std::vector<Record> records = SplitIntoGroupPieces(text, first, continuation);
  records.push_back(FormatReadingEndRecord(end, run.gradReadingCount, tick));
  return AppendToDataFile(run, records);
}

bool RecordsSentenceAt(const DataFileState& run, std::uint32_t tick) {
  // Tick counts wrap after 49 days: "before" is a negative distance, not a smaller number.
  return static_cast<std::int32_t>(tick - run.recordingStartTick.load()) >= 0;
}

bool WriteSentenceRecords(DataFileState& run, std::string_view text, std::uint32_t tick, char first,
                          char continuation, char end, char status) {
  if (!RecordsSentenceAt(run, tick))
    return true;
  std::vector<Record> records = SplitIntoGroupPieces(text, first, continuation);
  records.push_back(FormatSentenceEndRecord(end, run.gpsRecordCount.load(), status, tick));
  return AppendToDataFile(run, records);
}

}  // namespace gradlog
