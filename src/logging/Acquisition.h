#pragma once

#include "logging/LoggingRun.h"

namespace gradlog {

inline constexpr unsigned WATCHDOG_TIMER = 1;

// Around a window or dialog that incoming data must not disturb: the watchdog stops and the
// readers hand over nothing until resumed.
void SuspendAcquisition(LoggingRun& run);
// The ports are purged, so nothing half-read is left, and the time spent suspended does not
// count as silence.
void ResumeAcquisition(LoggingRun& run);

}  // namespace gradlog
