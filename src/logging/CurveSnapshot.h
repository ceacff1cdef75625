#pragma once

#include "logging/LoggingRun.h"

namespace gradlog {

// A command or menu that covers the curve window freezes it first: the live updates stop and
// its picture is kept off screen (a picture kept from an earlier command is put back instead).
void FreezeCurve(LoggingRun& run);

enum class CurveEnd { PutBack, Drop };
// The end of the command: the kept picture is put back on the window, or dropped because the
// command redrew the window itself, and the live updates go on.
void ThawCurve(LoggingRun& run, CurveEnd end);

}  // namespace gradlog
