#include "logging/LoggingStart.h"

#include "common/BusyWait.h"
#include "display/ProfileCurves.h"
#include "gps/GpsReader.h"
#include "gps/TotalStationReader.h"
#include "gps/TrackBuffers.h"
#include "logging/Acquisition.h"
#include "logging/LoggingWindow.h"
#include "logging/RunMap.h"
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

// Positions: the track buffers sized (a machine without the memory for them ends the program
// here), then the reader the device needs. A port that will not open has told the operator,
// and the run goes on without positions.
void StartPositioning(LoggingRun& run) {
  const SurveySettings& settings = run.config.settings;
  const Hwnd logging = run.logging.windows.logging;
  const int reduction = ReserveTrackBuffers(run.gps.track, settings);
  ShowTrackBufferNotice(logging, reduction, run.gps.track.maxTrackPositions);
  StartRunMap(run);
  run.gps.fix.haveOrigin = 0;
  if (!OpenGpsPort(run.serial.gps.Port(), settings, logging))
    return;
  if (settings.gpsDataType >= GPS_DATA_TYPE_RTS_TRIMBLE)
    StartTotalStationReader(run.serial, run.dataFile, logging);
  else
    StartGpsReader(run.serial, logging);
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
    if (settings.gpsInput == 1)
      StartPositioning(run);
  }
  RestartProfileCurves(run.display.curves, true);
  RedrawLoggingScreen(run);
}

}  // namespace gradlog
