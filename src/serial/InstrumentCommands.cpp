#include "serial/InstrumentCommands.h"

#include <algorithm>
#include <optional>

#include "common/BusyWait.h"
#include "common/SafeConvert.h"
#include "platform/sys/SystemServices.h"
#include "serial/PortSetup.h"

namespace gradlog {

namespace {

constexpr std::int32_t REPLY_WINDOW_MS = 1000;
constexpr std::int32_t PROBE_START_WINDOW_MS = 2000;
constexpr std::int32_t PROBE_RECORD_WINDOW_MS = 1000;
// A reply read waits this long at most, so that a silent instrument cannot stretch the
// reply window by the port's two-second read time-out.
constexpr std::uint32_t REPLY_READ_WAIT_MS = 50;

std::int32_t ElapsedSince(std::uint32_t start) {
  return static_cast<std::int32_t>(platform::Services().TickCount() - start);
}

// One byte, waiting at most `waitMs` for it.
std::optional<char> ReadByteWithin(platform::SerialPort& port, std::uint32_t waitMs) {
  port.SetTimeouts({platform::MAXDWORD, platform::MAXDWORD, waitMs, 0, 0});
  char byte = 0;
  const std::size_t count = port.Read(std::span<char>(&byte, 1));
  port.SetTimeouts(INSTRUMENT_TIMEOUTS);
  if (count == 0)
    return std::nullopt;
  return byte;
}

struct RecordTiming {
  std::int32_t length;
  float periodMs;
  double readingsPerSecond;
};

constexpr std::array<RecordTiming, 2> KNOWN_RECORDS{{
    {7, 72.0f, 13.888888888888888},
    {12, 91.0f, 10.989010989010989},
}};

// Counts the bytes of one record from its 'T' up to and including the CR; 0 when none
// came in time.
std::int32_t MeasureRecord(platform::SerialPort& port) {
  const std::uint32_t start = platform::Services().TickCount();
  while (ElapsedSince(start) < PROBE_START_WINDOW_MS) {
    const std::optional<char> byte = ReadByteWithin(port, REPLY_READ_WAIT_MS);
    if (byte != 'T')
      continue;
    const std::uint32_t recordStart = platform::Services().TickCount();
    std::int32_t count = 1;
    while (ElapsedSince(recordStart) < PROBE_RECORD_WINDOW_MS) {
      const std::optional<char> next = ReadByteWithin(port, REPLY_READ_WAIT_MS);
      if (!next)
        continue;
      ++count;
      if (*next == '\r')
        return count;
    }
    return 0;
  }
  return 0;
}

}  // namespace

bool SendInstrumentCommand(SharedPort& field, const InstrumentPortChoice& choice, char first,
                           char second, std::int32_t reopen) {
  BusyWaitMs(100);
  if (reopen > 0) {
    field.Close();
    BusyWaitMs(70);
    OpenInstrumentPort(field, choice.instrumentPort, choice.owner);
    BusyWaitMs(70);
  }
  const platform::PortHandle port = field.Get();
  if (!port)
    return false;
  port->TransmitImmediate(first);
  BusyWaitMs(50);
  port->TransmitImmediate(second);
  BusyWaitMs(50);

  const std::uint32_t replyStart = platform::Services().TickCount();
  BusyWaitMs(100);
  std::array<char, 2> reply{};
  std::size_t received = 0;
  while (received < reply.size() && ElapsedSince(replyStart) < REPLY_WINDOW_MS) {
    if (const std::optional<char> byte = ReadByteWithin(*port, REPLY_READ_WAIT_MS))
      reply[received++] = *byte;
    BusyWaitMs(50);
  }
  return received == reply.size() && reply[0] == 'O' && reply[1] == 'K';
}

bool ProbeRecordLength(SerialState& serial, float readingInterval) {
  InstrumentStatus& status = serial.instrumentStatus;
  status.instrumentRecordLength = 7;
  const platform::PortHandle port = serial.instrument.Port().Get();
  if (!port)
    return false;
  const std::int32_t length = MeasureRecord(*port);
  const auto timing =
      std::find_if(KNOWN_RECORDS.begin(), KNOWN_RECORDS.end(),
                   [&](const RecordTiming& known) { return known.length == length; });
  if (timing == KNOWN_RECORDS.end())
    return false;
  status.instrumentRecordLength = timing->length;
  serial.instrumentRecordPeriodMs = timing->periodMs;
  const double readings = readingInterval * timing->readingsPerSecond + 0.5;
  serial.readingsPerInterval = std::max(1, TruncateToInt32(readings));
  return true;
}

}  // namespace gradlog
