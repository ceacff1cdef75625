#include "logging/RunPositions.h"

#include "datafile/DataFileCreation.h"
#include "display/GpsBoxes.h"
#include "display/LoggingScreen.h"
#include "logging/Acquisition.h"
#include "logging/StopLogging.h"
#include "platform/ui/MessageBox.h"

namespace gradlog {

using namespace platform;

namespace {

void SuspendReaders(LoggingRun& run) {
  if (ReaderThread* reader = run.serial.gps.Reader())
    reader->Suspend();
  if (run.config.settings.instrumentEnabled == 1) {
    KillTimer(run.logging.windows.logging, WATCHDOG_TIMER);
    if (ReaderThread* reader = run.serial.instrument.Reader())
      reader->Suspend();
  }
}

[[noreturn]] void EndAtPositionLimit(LoggingRun& run) {
  SuspendReaders(run);
  run.dataFile.recordingState = 0;
  WriteClosingMarkers(run);
  // Closed before the message, which the operator may answer by switching the handheld off.
  CloseDataFile(run.dataFile);
  MessageBox(run.logging.windows.logging,
             "Maximum number of GPS positions reached.\r\nCurrent data file is saved.\r\n"
             "Please restart the program.",
             "STOP", MB_ICONEXCLAMATION);
  ExitProcess(0);
}

}  // namespace

void ShowRunSpeed(LoggingRun& run, float speed) {
  WindowDC dc(run.logging.windows.logging);
  WindowDC bar(run.logging.windows.speedbar);
  ShowSpeed(dc, bar, run.display, run.config.settings, speed);
}

void CheckRecordedPositions(LoggingRun& run) {
  if (run.dataFile.recordingState != 1)
    return;
  {
    WindowDC dc(run.logging.windows.logging);
    ShowGpsRecordCount(dc, run.display, run.dataFile.gpsRecordCount);
  }
  if (run.gps.track.trackPositionCount >= run.gps.track.maxTrackPositions)
    EndAtPositionLimit(run);
}

}  // namespace gradlog
