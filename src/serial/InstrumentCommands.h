#pragma once

#include <cstdint>

#include "platform/ui/Window.h"
#include "serial/SerialState.h"

namespace gradlog {

// Sends a two-character command to the instrument, one character at a time ahead of any
// queued output, and waits up to a second for its reply; true when the reply begins "OK".
// With `reopen` above 0 the port is closed and opened again first (port setting
// `instrumentPort`; a failure is told over `owner`). The instrument's reader must be
// suspended, or it would take the reply.
struct InstrumentPortChoice {
  std::int32_t instrumentPort = 0;
  platform::Hwnd owner;
};
bool SendInstrumentCommand(SharedPort& port, const InstrumentPortChoice& choice, char first,
                           char second, std::int32_t reopen);

// Times one instrument record ('T' up to CR) and sets the record length, period and
// readings per interval from it; false when no record of a known length came.
// `readingInterval` is the setting, in seconds.
bool ProbeRecordLength(SerialState& serial, float readingInterval);

}  // namespace gradlog
