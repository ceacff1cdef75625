#include "gps/GpsMonitorReader.h"

#include <array>
#include <span>

#include "common/UserMessages.h"
#include "gps/GpsMonitorFramer.h"
#include "platform/sys/SystemServices.h"

namespace gradlog {

namespace {

// As the port's 10 ms read time-outs would pace the loop: short enough for a line to show
// without delay, long enough not to spin.
constexpr int POLL_PAUSE_MS = 10;

// A line read before a suspension is refused by the hand-over; the loop goes on either way.
void Post(platform::Hwnd target, std::string text) {
  platform::PostMessage(target, UM_GPS_MONITOR_LINE, 0, 0, GpsMonitorLine{std::move(text)});
}

}  // namespace

void GpsMonitorReaderThread(platform::ReaderThread& self, SharedPort& port, platform::Hwnd target,
                            std::uint32_t startTick) {
  GpsMonitorFramer framer;
  std::uint32_t lastLineTick = startTick;
  std::array<char, 64> bytes{};
  while (!self.StopRequested()) {
    const platform::PortHandle open = port.Get();
    const platform::ReaderThread::PortRead read =
        open ? self.ReadPort(*open, bytes) : platform::ReaderThread::PortRead{};
    const std::uint32_t now = platform::Services().TickCount();
    if (read.suspendedSinceLastRead) {
      // Paused, or a command was sent: the bytes are not contiguous, and a pause is no silence.
      framer.Reset();
      lastLineTick = now;
    }
    for (const char byte : std::span(bytes).first(read.count)) {
      if (std::optional<std::string> line = framer.Feed(byte)) {
        Post(target, std::move(*line));
        lastLineTick = now;
      }
    }
    if (read.count > 0)
      continue;
    if (now - lastLineTick > GPS_SILENCE_LIMIT_MS) {
      Post(target, NO_DATA_TEXT);
      framer.Reset();
      lastLineTick = now;
    }
    if (!self.SleepFor(POLL_PAUSE_MS))
      return;
  }
}

void StartGpsMonitorReader(PortLink& link, platform::Hwnd target) {
  const std::uint32_t startTick = platform::Services().TickCount();
  link.StartReader([&link, target, startTick](platform::ReaderThread& self) {
    GpsMonitorReaderThread(self, link.Port(), target, startTick);
  });
}

}  // namespace gradlog
