#pragma once

#include "logging/LoggingRun.h"

namespace gradlog {

// After a write to the data file (`written` is the writer's result) and at each watchdog tick
// (a background sync may have failed): the first failure of a run turns the mode box to
// "WR ERR" for the rest of the run and prints its cause on stderr. The run goes on.
void NoteWriteResult(LoggingRun& run, bool written);
void CheckDataFileFailures(LoggingRun& run);

// The mode box as the run stands: "Stand By", "Monitor", "Logging" or "WR ERR".
void ShowRunMode(LoggingRun& run);

}  // namespace gradlog
