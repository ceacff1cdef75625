#include "logging/StopLogging.h"

#include <cstdio>

#include "datafile/DataFileCreation.h"
#include "datafile/RecordWriters.h"
#include "logging/Acquisition.h"
#include "logging/ButtonSets.h"
#include "logging/LoggingWindow.h"
#include "logging/WriteFailures.h"
#include "platform/ui/MessageBox.h"

namespace gradlog {

using namespace platform;

namespace {

bool ConfirmExit(LoggingRun& run) {
  return MessageBox(run.logging.windows.logging, "Exit Logging?", "Confirm Exit",
                    MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace

void WriteClosingMarkers(LoggingRun& run) {
  char text[32];
  std::snprintf(text, sizeof text, "$F %6ld", static_cast<long>(run.dataFile.gpsRecordCount));
  NoteWriteResult(run, WriteTextRecord(run.dataFile, text, 'X'));
  std::snprintf(text, sizeof text, "$P %6d", run.gps.track.trackPositionCount);
  NoteWriteResult(run, WriteTextRecord(run.dataFile, text, 'X'));
}

bool StopLogging(LoggingRun& run, bool endProgram) {
  const bool fileOpen = run.dataFile.recordingState != 0;
  if (fileOpen && !endProgram && !ConfirmExit(run)) {
    RedrawLoggingScreen(run);
    SetFocus(run.logging.windows.logging);
    return false;
  }
  EndRun(run);
  if (endProgram && fileOpen)
    ExitProcess(0);
  return true;
}

void EndRun(LoggingRun& run) {
  LoggingState& logging = run.logging;
  logging.loggingActive = 0;
  KillTimer(logging.windows.logging, WATCHDOG_TIMER);
  // Closing a port wakes its reader, which then ends. The total-station reader writes records
  // itself, so the counts are written only after it has ended.
  run.serial.instrument.Stop();
  run.serial.gps.Stop();
  if (run.dataFile.recordingState != 0)
    WriteClosingMarkers(run);
  CloseDataFile(run.dataFile);
  run.dataFile.gradReadingCount = 0;
  run.dataFile.gpsRecordCount = 0;
  run.gps.track.trackPositionCount = 0;
  // Each run takes its own origin.
  run.gps.fix.haveOrigin = 0;
  run.display.mapView.plotStarted = 0;
  run.dataFile.recordingState = 0;
  logging.writeFailed = false;
  logging.curveSnapshot.reset();
  logging.curveLiveUpdate = 1;
  ShowButtonSet(run, 0);
  InvalidateRect(logging.windows.logging, nullptr, true);
  logging.loggingWindowShown = 0;
  ShowWindow(logging.windows.logging, false);
}

}  // namespace gradlog
