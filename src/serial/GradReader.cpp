#include "serial/GradReader.h"

#include <algorithm>
#include <array>
#include <utility>

#include "common/UserMessages.h"
#include "platform/sys/SystemServices.h"
#include "serial/GradLineFramer.h"

namespace gradlog {

namespace {

constexpr std::int32_t ONE_SENSOR_MINIMUM_LENGTH = 7;
constexpr std::int32_t TWO_SENSOR_MINIMUM_LENGTH = 9;
// A closed, failed or hung-up port is tried again after this pause, not in a spin.
constexpr int FAILED_PORT_PAUSE_MS = 10;
constexpr std::size_t INSTRUMENT_LINE_SIZE =
    std::tuple_size_v<decltype(SerialState::instrumentLine)>;

// instrumentLine keeps its last byte for the terminator.
bool FitsInstrumentLine(std::string_view line) {
  return line.size() < INSTRUMENT_LINE_SIZE;
}

struct ReaderContext {
  InstrumentStatus& status;
  platform::Hwnd target;
};

// False when the reader was told to stop.
bool Deliver(const ReaderContext& context, const GradLineFramer& framer, std::string_view line) {
  // An accepted line longer than instrumentLine holds is dropped: the handler would read a
  // cut reading as a different value. Instrument lines are far shorter.
  if (!FitsInstrumentLine(line))
    return true;
  context.status.lastReadingTick = platform::Services().TickCount();
  GradLine copy{std::string(line), framer.LineStartTick()};
  context.status.connectionRetries = 0;
  // Posting from a reader thread passes its gate: a suspended reader waits here, and a
  // stopped one posts nothing and gets false.
  return platform::PostMessage(context.target, UM_GRAD_DATA, 0, 0, std::move(copy));
}

// Handles what the port has now; false when the reader was told to stop.
bool ReadAvailable(const ReaderContext& context, platform::SerialPort& port,
                   GradLineFramer& framer) {
  std::array<char, 64> bytes{};
  const std::size_t count = port.Read(bytes);
  for (std::size_t i = 0; i < count; ++i) {
    const std::optional<std::string_view> line =
        framer.Feed(bytes[i], platform::Services().TickCount());
    if (line && !Deliver(context, framer, *line))
      return false;
  }
  return true;
}

}  // namespace

void GradReaderThread(platform::ReaderThread& self, SharedPort& port, InstrumentStatus& status,
                      GradReaderSetup setup) {
  const std::int32_t minimumLength =
      setup.gradSensorCount == 1 ? ONE_SENSOR_MINIMUM_LENGTH : TWO_SENSOR_MINIMUM_LENGTH;
  status.instrumentRecordLength = minimumLength;
  if (const platform::PortHandle open = port.Get()) {
    open->Purge(false, true);
    open->Purge(true, false);
  }
  const ReaderContext context{status, setup.target};
  GradLineFramer framer(minimumLength);
  while (!self.StopRequested()) {
    // The port is empty while a command re-opens it, and a hung-up device is ready at once
    // with nothing to read: both are waited out.
    const platform::PortHandle open = port.Get();
    if (!open || !open->WaitForInput()) {
      if (!self.SleepFor(FAILED_PORT_PAUSE_MS))
        return;
      continue;
    }
    if (!ReadAvailable(context, *open, framer))
      return;
  }
}

void StartGradReader(SerialState& serial, GradReaderSetup setup) {
  serial.instrument.StartReader([&serial, setup](platform::ReaderThread& self) {
    GradReaderThread(self, serial.instrument.Port(), serial.instrumentStatus, setup);
  });
}

bool StoreGradLine(SerialState& serial, const std::any& payload) {
  const GradLine* line = std::any_cast<GradLine>(&payload);
  if (!line || !FitsInstrumentLine(line->text))
    return false;
  std::fill(serial.instrumentLine.begin(), serial.instrumentLine.end(), '\0');
  std::copy(line->text.begin(), line->text.end(), serial.instrumentLine.begin());
  serial.instrumentLineStartTick = line->startTick;
  return true;
}

}  // namespace gradlog
