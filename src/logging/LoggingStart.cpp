#include "logging/LoggingStart.h"

#include "common/BusyWait.h"
#include "display/ProfileCurves.h"
#include "logging/Acquisition.h"
#include "logging/LoggingWindow.h"
#include "platform/sys/SystemServices.h"
#include "platform/ui/MessageBox.h"
#include "serial/GradReader.h"
#include "serial/PortSetup.h"

namespace gradlog {

using namespace platform;

namespace {

// Over the start screen's buttons, which are its siblings.
void ShowLoggingWindow(LoggingRun& run) {
  run.logging.loggingWindowShown = 1;
  BringWindowToTop(run.logging.windows.logging);
  ShowWindow(run.logging.windows.logging, true);
}

void StartInstrument(LoggingRun& run) {
  const Hwnd logging = run.logging.windows.logging;
  if (!OpenInstrumentPort(run.serial.instrument.Port(), run.config.settings.instrumentPort,
                          logging)) {
    // The open has told the operator; the run goes on with positions only.
    ShowLoggingWindow(run);
    return;
  }
  BusyWaitMs(100);
  StartGradReader(run.serial,
                  {.gradSensorCount = run.config.settings.gradSensorCount, .target = logging});
  SetTimer(logging, WATCHDOG_TIMER, run.logging.readerTimerPeriodMs);
  run.serial.instrumentStatus.lastReadingTick = Services().TickCount();
  run.serial.instrumentStatus.connectionRetries = 0;
  BusyWaitMs(50);
  ShowLoggingWindow(run);
}

bool PortsAllowARun(const LoggingRun& run) {
  const SurveySettings& settings = run.config.settings;
  const Hwnd owner = GetParent(run.logging.windows.logging);
  if (settings.gpsInput == 0 && settings.instrumentEnabled == 0) {
    MessageBox(owner, "Instrument Disabled and GPS Disabled", "TOO MUCH BEER LAST NIGHT",
               MB_ICONEXCLAMATION);
    return false;
  }
  if (settings.gpsInput == 1 && settings.instrumentEnabled == 1 &&
      settings.instrumentPort == settings.gpsPort) {
    MessageBox(owner, "Same Port Assigned for Instrument and GPS", "Serial Port", MB_OK);
    return false;
  }
  return true;
}

}  // namespace

void StartLoggingRun(LoggingRun& run) {
  const SurveySettings& settings = run.config.settings;
  SetBarLayout(run.display.curves, settings.gradSensorCount);
  run.display.profile.channelCount = settings.gradSensorCount == 2 ? 2 : 1;
  run.config.currentStation = settings.startStation;
  if (PortsAllowARun(run)) {
    run.logging.loggingActive = 1;
    if (settings.instrumentEnabled == 1)
      StartInstrument(run);
    else
      ShowLoggingWindow(run);
  }
  RestartProfileCurves(run.display.curves, true);
  RedrawLoggingScreen(run);
}

}  // namespace gradlog
