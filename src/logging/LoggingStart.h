#pragma once

#include "logging/LoggingRun.h"

namespace gradlog {

// "&Logging" on the start screen: checks the port assignment, opens the instrument port and
// starts its reader and the watchdog, and shows the logging window standing in state 0.
// Nothing starts when neither instrument nor GPS is enabled, or both share a port.
void StartLoggingRun(LoggingRun& run);

}  // namespace gradlog
