#include "gps/GpsMonitorSend.h"

#include "common/BusyWait.h"

namespace gradlog {

namespace {

// Short pauses between the port steps: they let a suspension and the purges settle in the
// driver before the write.
constexpr std::int32_t STEP_PAUSE_MS = 2;
constexpr std::int32_t AFTER_WRITE_PAUSE_MS = 5;

}  // namespace

std::optional<std::string> WriteGpsCommand(PortLink& link, std::string_view command,
                                           bool readerPaused) {
  const platform::PortHandle port = link.Port().Get();
  if (!port)
    return NO_GPS_PORT_TEXT;
  platform::ReaderThread* const reader = readerPaused ? nullptr : link.Reader();
  if (reader) {
    reader->Suspend();
    BusyWaitMs(STEP_PAUSE_MS);
  }
  port->Purge(false, true);
  BusyWaitMs(STEP_PAUSE_MS);
  port->Purge(true, false);
  BusyWaitMs(STEP_PAUSE_MS);
  // The output was just purged, so the driver takes these few bytes without waiting for room.
  const std::string line = std::string(command) + "\r\n";
  const bool whole = port->Write(line) == line.size();
  BusyWaitMs(AFTER_WRITE_PAUSE_MS);
  if (reader)
    reader->Resume();
  if (whole)
    return std::nullopt;
  return port->LastWriteError();
}

}  // namespace gradlog
