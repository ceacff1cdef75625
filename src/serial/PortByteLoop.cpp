#include "serial/PortByteLoop.h"

#include <array>
#include <span>

#include "platform/sys/SystemServices.h"

namespace gradlog {

namespace {

// A closed, failed or hung-up port is tried again after this pause, not in a spin.
constexpr int FAILED_PORT_PAUSE_MS = 10;

}  // namespace

void ReadPortBytesUntilStopped(platform::ReaderThread& self, SharedPort& port,
                               const std::function<void()>& onGap,
                               const std::function<void(char byte, std::uint32_t tick)>& onByte) {
  std::array<char, 64> bytes{};
  while (!self.StopRequested()) {
    // The field is empty while the port is re-opened, and a hung-up device fails its wait at
    // once: both are waited out with a pause until the reader is stopped.
    const platform::PortHandle open = port.Get();
    if (!open || !open->WaitForInput(self.StopToken())) {
      if (!self.SleepFor(FAILED_PORT_PAUSE_MS))
        return;
      continue;
    }
    const platform::ReaderThread::PortRead read = self.ReadPort(*open, bytes);
    if (read.suspendedSinceLastRead)
      onGap();
    for (const char byte : std::span(bytes).first(read.count))
      onByte(byte, platform::Services().TickCount());
  }
}

}  // namespace gradlog
