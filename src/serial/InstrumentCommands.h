#pragma once

#include <cstdint>

#include "app/AppState.h"

namespace gradlog {

// Sends a two-character command to the instrument, one character at a time ahead of any
// queued output, and waits up to a second for its reply; true when the reply begins "OK".
// With `reopen` above 0 the port is closed and opened again first. The instrument's
// reader must be suspended, or it would take the reply.
bool SendInstrumentCommand(AppState& app, char first, char second, std::int32_t reopen);

// Times one instrument record ('T' up to CR) and sets the record length, period and
// readings per interval from it; false when no record of a known length came.
bool ProbeRecordLength(AppState& app);

}  // namespace gradlog
