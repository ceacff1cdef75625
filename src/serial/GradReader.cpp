#include "serial/GradReader.h"

#include <algorithm>
#include <utility>

#include "common/UserMessages.h"
#include "platform/sys/SystemServices.h"
#include "serial/GradLineFramer.h"
#include "serial/PortByteLoop.h"

namespace gradlog {

namespace {

constexpr std::int32_t ONE_SENSOR_MINIMUM_LENGTH = 7;
constexpr std::int32_t TWO_SENSOR_MINIMUM_LENGTH = 9;
constexpr std::size_t INSTRUMENT_LINE_SIZE =
    std::tuple_size_v<decltype(SerialState::instrumentLine)>;

// instrumentLine keeps its last byte for the terminator.
bool FitsInstrumentLine(std::string_view line) {
  return line.size() < INSTRUMENT_LINE_SIZE;
}

// Hands an accepted line over; a line read before a suspension is dropped by the hand-over.
void Deliver(InstrumentStatus& status, platform::Hwnd target, const GradLineFramer& framer,
             std::string_view line) {
  // An accepted line longer than instrumentLine holds is dropped: the handler would read a
  // cut reading as a different value. Instrument lines are far shorter.
  if (!FitsInstrumentLine(line))
    return;
  status.lastReadingTick = platform::Services().TickCount();
  status.connectionRetries = 0;
  platform::PostMessage(target, UM_GRAD_DATA, 0, 0,
                        GradLine{std::string(line), framer.LineStartTick()});
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
  GradLineFramer framer(minimumLength);
  ReadPortBytesUntilStopped(
      self, port, [&framer] { framer.Reset(); },
      [&framer, &status, &setup](char byte, std::uint32_t tick) {
        if (const std::optional<std::string_view> line = framer.Feed(byte, tick))
          Deliver(status, setup.target, framer, *line);
      });
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
