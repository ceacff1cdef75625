#pragma once

#include "logging/LoggingRun.h"

namespace gradlog {

// The button column: set A without a data file, set B standing by, "Pause" while recording.
void CreateButtonSets(LoggingRun& run);
// Shows the set of `recordingState` with row 0 highlighted and hides the others.
void ShowButtonSet(LoggingRun& run, std::int32_t recordingState);
// Moves the highlight of the shown set by `step` rows, wrapping after row 3 and before row 0.
void MoveButtonHighlight(LoggingRun& run, int step);

}  // namespace gradlog
