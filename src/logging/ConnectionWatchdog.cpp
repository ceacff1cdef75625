#include "logging/ConnectionWatchdog.h"

#include <array>
#include <string_view>

#include "datafile/RecordWriters.h"
#include "display/LoggingScreen.h"
#include "logging/Acquisition.h"
#include "logging/StopLogging.h"
#include "logging/WriteFailures.h"
#include "platform/sys/SystemServices.h"
#include "platform/ui/MessageBox.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr std::int32_t RETRIES_BEFORE_END = 10;

void WriteMarker(LoggingRun& run, std::string_view text) {
  if (run.dataFile.recordingState != 0)
    NoteWriteResult(run, WriteTextRecord(run.dataFile, text, 'X'));
}

void ReportBreak(LoggingRun& run) {
  const Hwnd logging = run.logging.windows.logging;
  KillTimer(logging, WATCHDOG_TIMER);
  WriteMarker(run, "$CONN BREAK");
  // The curves must not join across the gap.
  RestartProfileCurves(run.display.curves, false);
  {
    WindowDC dc(logging);
    ShowConnectionBreak(dc, run.display);
  }
  SetTimer(logging, WATCHDOG_TIMER, run.logging.retryTimerPeriodMs);
  SetFocus(logging);
}

// The windows a command may have open over the run; they go with it.
void CloseLoggingDialogs() {
  static constexpr std::array<std::string_view, 6> CLOSED{"Create Data File", "Display Options",
                                                          "New Line",         "New Station",
                                                          "Enter Comment",    "Enter Scale"};
  for (const std::string_view title : CLOSED) {
    if (const Hwnd window = FindWindow("", title))
      SendMessage(window, WM_CLOSE);
  }
  if (const Hwnd confirm = FindWindow("", "Confirm Exit"))
    DestroyWindow(confirm);
}

void EndConnection(LoggingRun& run) {
  const Hwnd logging = run.logging.windows.logging;
  KillTimer(logging, WATCHDOG_TIMER);
  WriteMarker(run, "$CONN END  ");
  if (run.config.settings.gpsInput == 1)
    run.serial.gps.Stop();
  run.dataFile.recordingState = -1;
  {
    WindowDC dc(logging);
    BlankValueBoxes(dc, run.display);
  }
  MessageBox(logging, "NO CONNECTION Press <ENTER> to STOP", "NO CONNECTION", MB_ICONEXCLAMATION);
  CloseLoggingDialogs();
  StopLogging(run, true);
}

}  // namespace

bool IsSilent(std::uint32_t now, std::uint32_t lastReadingTick, std::uint32_t silenceTimeoutMs) {
  return static_cast<std::uint32_t>(now - lastReadingTick) > silenceTimeoutMs;
}

LRESULT OnConnectionWatchdog(LoggingRun& run, const Message& message) {
  if (message.wParam != WATCHDOG_TIMER)
    return 0;
  CheckDataFileFailures(run);
  InstrumentStatus& status = run.serial.instrumentStatus;
  if (!IsSilent(Services().TickCount(), status.lastReadingTick, run.logging.silenceTimeoutMs))
    return 0;
  if (status.connectionRetries.fetch_add(1) + 1 < RETRIES_BEFORE_END)
    ReportBreak(run);
  else
    EndConnection(run);
  return 0;
}

}  // namespace gradlog
