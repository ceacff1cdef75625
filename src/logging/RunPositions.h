#pragma once

#include "gps/LocalPlane.h"
#include "logging/LoggingRun.h"

namespace gradlog {

// Shows a newly measured speed as text and on the speed bar.
void ShowRunSpeed(LoggingRun& run, float speed);

// While recording: the count of GPS records in its box, and the end of the run when the
// map's position store is full (the counts written, the file closed, "STOP", the program
// ended). Returns only when the run goes on.
void CheckRecordedPositions(LoggingRun& run);

}  // namespace gradlog
