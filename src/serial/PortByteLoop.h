#pragma once

#include <cstdint>
#include <functional>

#include "platform/sys/ReaderThread.h"
#include "serial/SharedPort.h"

namespace gradlog {

// The loop of a port reader: waits for input on `port`, reads what has come and hands
// each byte, with the tick it was taken at, to `onByte`. `onGap` runs first when the bytes are
// not contiguous with those before (the reader was suspended, and the UI thread may have read
// the port meanwhile). A closed, failed or hung-up port is waited out with pauses; returns only
// when the reader is told to stop.
void ReadPortBytesUntilStopped(platform::ReaderThread& self, SharedPort& port,
                               const std::function<void()>& onGap,
                               const std::function<void(char byte, std::uint32_t tick)>& onByte);

}  // namespace gradlog
