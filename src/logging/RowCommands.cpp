#include <cstdio>
#include <string>

#include "config/SettingsFile.h"
#include "datafile/DataFileCreation.h"
#include "datafile/RecordWriters.h"
#include "dialogs/DialogText.h"
#include "dialogs/NewLineDialog.h"
#include "display/ProfileCurves.h"
#include "logging/Acquisition.h"
#include "logging/ButtonSets.h"
#include "logging/CurveSnapshot.h"
#include "logging/LoggingCommands.h"
#include "logging/LoggingWindow.h"
#include "logging/MapCommands.h"
#include "logging/StopLogging.h"
#include "logging/WriteFailures.h"
#include "platform/sys/SystemServices.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"
#include "resources/Menus.h"

namespace gradlog {

using namespace platform;

namespace {

bool InstrumentReaderRuns(LoggingRun& run) {
  return run.config.settings.instrumentEnabled == 1 && run.serial.instrument.Reader() != nullptr;
}

void SetWatchdogPeriod(LoggingRun& run, std::uint32_t periodMs) {
  if (InstrumentReaderRuns(run))
    SetTimer(run.logging.windows.logging, WATCHDOG_TIMER, periodMs);
}

// The new file's screen: name, "Stand By", line and station, set B.
bool OpenNewDataFile(LoggingRun& run) {
  if (CreateDataFile(run.dataFile, run.config, run.logging.windows.logging) !=
      DataFileOutcome::Created) {
    return false;
  }
  run.dataFile.recordingState = -1;
  ShowButtonSet(run, -1);
  return true;
}

void WriteEvent(LoggingRun& run, const char* text) {
  NoteWriteResult(run, WriteTextRecord(run.dataFile, text, 'X'));
}

void ApplyQuickLine(LoggingRun& run, float proposedLine) {
  ConfigState& config = run.config;
  SurveySettings& settings = config.settings;
  settings.surveyLine = FormatFixed(proposedLine, 2).substr(0, SURVEY_LINE_MAX);
  if (settings.lineSequence == 0) {
    // Alternate: the new line is walked back from where the last one ended.
    settings.startStation = config.currentStation;
    config.currentStationIncrement = -config.currentStationIncrement;
    settings.lineDirection = OppositeDirection(settings.lineDirection);
  } else if (settings.lineSequence == 1) {
    config.currentStation = settings.startStation;
  }
  StartNewLineInFile(run);
}

}  // namespace

void StartNewLineInFile(LoggingRun& run) {
  NoteWriteResult(run, WriteLineStartRecords(run.dataFile, run.config));
  NoteWriteResult(run, WriteClockRecord(run.dataFile));
  SaveSettings(run.config);
  RestartProfileCurves(run.display.curves, true);
}

void CreateFileCommand(LoggingRun& run) {
  FreezeCurve(run);
  OpenNewDataFile(run);
  RedrawLoggingScreen(run);
  ThawCurve(run, CurveEnd::PutBack);
}

void GoCommand(LoggingRun& run) {
  // The file could not be opened again at the last pause: nothing is recorded until a new one
  // exists.
  if (!run.dataFile.dataFileHandle.Get()) {
    CreateFileCommand(run);
    return;
  }
  SetWatchdogPeriod(run, static_cast<std::uint32_t>(run.config.readingIntervalMs));
  run.dataFile.recordingState = 1;
  ShowButtonSet(run, 1);
  RestartProfileCurves(run.display.curves, true);
  run.dataFile.recordingStartTick = Services().TickCount();
  WriteEvent(run, run.display.mapViewShown == 1 ? "$STARTED1" : "$STARTED0");
  ShowRunMode(run);
}

void PauseCommand(LoggingRun& run) {
  WriteEvent(run, "$PAUSED");
  run.dataFile.recordingState = -1;
  ShowButtonSet(run, -1);
  ShowRunMode(run);
  SetWatchdogPeriod(run, run.logging.readerTimerPeriodMs);
  if (!ReopenDataFile(run.dataFile, run.logging.windows.logging))
    RedrawLoggingScreen(run);
}

void QuickLineCommand(LoggingRun& run) {
  FreezeCurve(run);
  const float proposedLine = static_cast<float>(ReadNumber(run.config.settings.surveyLine)) +
                             run.config.settings.lineIncrement;
  char text[64];
  std::snprintf(text, sizeof text, "Proposed Line: %.2f", static_cast<double>(proposedLine));
  const bool accepted =
      MessageBox(run.logging.windows.logging, text, "Quick Line", MB_YESNO) == IDYES;
  if (accepted)
    ApplyQuickLine(run, proposedLine);
  RedrawLoggingScreen(run);
  // The redraw has drawn the new line's (empty) profile.
  ThawCurve(run, accepted && run.display.mapViewShown == 0 ? CurveEnd::Drop : CurveEnd::PutBack);
}

void ExitCommand(LoggingRun& run) {
  FreezeCurve(run);
  if (StopLogging(run, false)) {
    ThawCurve(run, CurveEnd::Drop);
    InvalidateRect(run.logging.windows.curve, nullptr, true);
  } else {
    ThawCurve(run, CurveEnd::PutBack);
  }
}

void MenuCommand(LoggingRun& run) {
  FreezeCurve(run);
  const int menuId = LoggingMenuId(run);
  const Menu* menu = FindMenu(menuId);
  if (!menu)
    return;
  const Hwnd logging = run.logging.windows.logging;
  // The chosen item arrives as WM_COMMAND; until then the curve stays frozen.
  TrackPopupMenu(*menu, ClientToScreen(logging, {180, menuId == MENU_FILE_OPEN ? 5 : 10}), logging);
}

}  // namespace gradlog
