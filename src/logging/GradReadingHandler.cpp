#include "logging/GradReadingHandler.h"

#include <array>
#include <string_view>

#include "datafile/RecordWriters.h"
#include "display/LoggingScreen.h"
#include "display/ProfileCurves.h"
#include "logging/WriteFailures.h"
#include "platform/sys/SystemServices.h"
#include "serial/GradReader.h"
#include "serial/GradReading.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr std::size_t MAX_CHANNELS = 2;

struct ReadingRows {
  std::array<std::int32_t, MAX_CHANNELS> profile{};
  std::array<std::int32_t, MAX_CHANNELS> bar{};
  std::size_t count = 1;
};

ReadingRows RowsOf(const GradReading& reading, const LoggingRun& run) {
  ReadingRows rows;
  rows.count = run.display.profile.channelCount == 2 ? 2 : 1;
  const std::array<float, MAX_CHANNELS> values{reading.g1, reading.g2};
  for (std::size_t i = 0; i < rows.count; ++i) {
    const ChannelRows channel =
        RowsForValue(values[i], run.config.settings.profileMax, run.display.profile);
    rows.profile[i] = channel.profileY;
    rows.bar[i] = channel.barY;
  }
  return rows;
}

// The first reading after a station has been set is taken at that station, each later one a
// station increment further on.
void AdvanceStation(LoggingRun& run) {
  if (run.dataFile.firstReadingDone == 1)
    run.config.currentStation += run.config.currentStationIncrement;
  run.dataFile.firstReadingDone = 1;
}

void RecordReading(LoggingRun& run, DeviceContext& dc, std::string_view text,
                   const ReadingRows& rows) {
  ++run.dataFile.gradReadingCount;
  NoteWriteResult(run, WriteReadingRecords(run.dataFile, text, run.serial.instrumentLineStartTick,
                                           'T', '=', '>'));
  AdvanceStation(run);
  ShowStation(dc, run.display, run.config.currentStation);
  if (run.display.mapViewShown == 0) {
    WindowDC curve(run.logging.windows.curve);
    StepProfile(curve, run.display, run.config.settings,
                std::span<const std::int32_t>(rows.profile.data(), rows.count));
  }
}

void RefreshBattery(LoggingRun& run, DeviceContext& dc) {
  const std::uint32_t now = Services().TickCount();
  if (now - run.logging.lastBatteryTick <= BATTERY_REFRESH_MS)
    return;
  ShowBattery(dc, run.display, Services().Battery());
  run.logging.lastBatteryTick = now;
}

}  // namespace

LRESULT OnGradReading(LoggingRun& run, const Message& message) {
  // A reading still queued when the run stopped is dropped.
  if (!StoreGradLine(run.serial, message.payload) || run.logging.loggingActive == 0)
    return 0;
  const std::string_view text(run.serial.instrumentLine.data());
  const GradReading reading = DecodeGradReading(text, run.config.settings.gradSensorCount);
  const ReadingRows rows = RowsOf(reading, run);
  WindowDC dc(run.logging.windows.logging);
  if (run.dataFile.recordingState == 1)
    RecordReading(run, dc, text, rows);
  ShowGradValues(dc, run.display, reading, run.config.settings.gradSensorCount);
  {
    WindowDC bars(run.logging.windows.bars);
    DrawBars(bars, run.display, std::span<const std::int32_t>(rows.bar.data(), rows.count));
  }
  RefreshBattery(run, dc);
  run.serial.instrumentLine[0] = '\0';
  return 0;
}

}  // namespace gradlog
