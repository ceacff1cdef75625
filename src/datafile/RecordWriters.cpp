#include "datafile/RecordWriters.h"

#include <array>
#include <memory>
#include <span>
#include <vector>

#include "datafile/RecordFormat.h"
#include "platform/sys/SystemServices.h"

namespace gradlog {

namespace {

bool AppendToDataFile(AppState& app, std::span<const Record> records) {
  // A copy of the handle keeps the file open for this call even if the run ends meanwhile.
  const std::shared_ptr<DataFile> file = app.dataFileHandle;
  return file != nullptr && file->Append(records);
}

bool AppendToDataFile(AppState& app, const Record& record) {
  return AppendToDataFile(app, std::span<const Record>(&record, 1));
}

}  // namespace

bool WriteDataFileHeader(AppState& app) {
  const std::array<Record, 3> records{
      FormatFormatRecord(app.settings),
      FormatNameRecord(app.settings, app.dataFileName),
      FormatPositioningRecord(app.settings, app.gpsOffsetX, app.gpsOffsetY),
  };
  return AppendToDataFile(app, records);
}

bool WriteLineStartRecords(AppState& app) {
  const platform::LocalTime now = platform::Services().Now();
  const std::array<Record, 4> records{
      FormatLineRecord(app.settings.surveyLine),
      FormatStartStationRecord(app.settings.startStation),
      FormatDirectionRecord(app.settings.lineDirection, app.currentStationIncrement),
      FormatDateTimeRecord(now),
  };
  return AppendToDataFile(app, records);
}

bool WriteClockRecord(AppState& app) {
  // The tick first, then the time: the pair says which local time a tick stamp had.
  const std::uint32_t tick = platform::Services().TickCount();
  const platform::LocalTime now = platform::Services().Now();
  return AppendToDataFile(app, FormatClockRecord(now, tick));
}

bool WriteStationRecord(AppState& app) {
  const std::uint32_t tick = platform::Services().TickCount();
  return AppendToDataFile(app, FormatStationRecord(app.currentStation, tick));
}

bool WriteTextRecord(AppState& app, std::string_view text, char marker) {
  const std::uint32_t tick = platform::Services().TickCount();
  return AppendToDataFile(app, FormatTextRecord(marker, text, tick));
}

bool WriteReadingRecords(AppState& app, std::string_view text, std::uint32_t tick, char first,
                         char continuation, char end) {
  std::vector<Record> records = SplitIntoGroupPieces(text, first, continuation);
  records.push_back(FormatReadingEndRecord(end, app.gradReadingCount, tick));
  return AppendToDataFile(app, records);
}

bool WriteSentenceRecords(AppState& app, std::string_view text, std::uint32_t tick, char first,
                          char continuation, char end, char status) {
  // Tick counts wrap after 49 days: "before" is a negative distance, not a smaller number.
  if (static_cast<std::int32_t>(tick - app.recordingStartTick.load()) < 0)
    return true;
  std::vector<Record> records = SplitIntoGroupPieces(text, first, continuation);
  records.push_back(FormatSentenceEndRecord(end, app.gpsRecordCount.load(), status, tick));
  return AppendToDataFile(app, records);
}

}  // namespace gradlog
