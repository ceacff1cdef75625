#pragma once

#include "logging/LoggingRun.h"

namespace gradlog {

// Ends the run. With a data file open and `endProgram` false the operator is asked first
// ("Exit Logging?"); a No leaves everything as it was and gives false. `endProgram` true ends
// the program too (exit code 0) when a data file was open.
bool StopLogging(LoggingRun& run, bool endProgram);

// The end of a run without a question: the closing markers, the ports and readers, the data
// file synced and closed, the run's counters cleared, the start screen shown again.
void EndRun(LoggingRun& run);

// The two 'X' records that close a run's data: "$F" with the GPS records written and "$P"
// with the positions stored.
void WriteClosingMarkers(LoggingRun& run);

}  // namespace gradlog
