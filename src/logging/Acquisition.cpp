#include "logging/Acquisition.h"

#include "common/BusyWait.h"
#include "platform/sys/SystemServices.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr int SETTLE_MS = 20;

void PurgePort(SharedPort& port) {
  if (const PortHandle handle = port.Get()) {
    handle->Purge(false, true);
    handle->Purge(true, false);
  }
}

}  // namespace

void SuspendAcquisition(LoggingRun& run) {
  const SurveySettings& settings = run.config.settings;
  if (settings.instrumentEnabled == 1) {
    KillTimer(run.logging.windows.logging, WATCHDOG_TIMER);
    if (ReaderThread* reader = run.serial.instrument.Reader()) {
      reader->Suspend();
      BusyWaitMs(SETTLE_MS);
    }
  }
  if (settings.gpsInput == 1 && run.serial.gps.Port().IsOpen()) {
    if (ReaderThread* reader = run.serial.gps.Reader()) {
      reader->Suspend();
      BusyWaitMs(SETTLE_MS);
    }
  }
}

void ResumeAcquisition(LoggingRun& run) {
  const SurveySettings& settings = run.config.settings;
  if (settings.gpsInput == 1) {
    PurgePort(run.serial.gps.Port());
    BusyWaitMs(SETTLE_MS);
    if (ReaderThread* reader = run.serial.gps.Reader())
      reader->Resume();
  }
  if (settings.instrumentEnabled == 1) {
    PurgePort(run.serial.instrument.Port());
    BusyWaitMs(SETTLE_MS);
    run.serial.instrumentStatus.lastReadingTick = Services().TickCount();
    // Without a reader (the port would not open) there is nothing to watch.
    if (ReaderThread* reader = run.serial.instrument.Reader()) {
      reader->Resume();
      SetTimer(run.logging.windows.logging, WATCHDOG_TIMER, run.logging.readerTimerPeriodMs);
    }
  }
}

}  // namespace gradlog
