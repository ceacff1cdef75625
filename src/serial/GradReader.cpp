#include "serial/GradReader.h"

#include <algorithm>
#include <array>

#include "app/UserMessages.h"
#include "platform/sys/SystemServices.h"
#include "platform/ui/Window.h"
#include "serial/GradLineFramer.h"

namespace gradlog {

namespace {

constexpr std::int32_t ONE_SENSOR_MINIMUM_LENGTH = 7;
constexpr std::int32_t TWO_SENSOR_MINIMUM_LENGTH = 9;
// A port that fails without being closed is tried again after this pause, not in a spin.
constexpr int FAILED_PORT_PAUSE_MS = 10;

// instrumentLine keeps its last byte for the terminator.
bool FitsInstrumentLine(const AppState& app, std::string_view line) {
  return line.size() < app.instrumentLine.size();
}

// False when the reader was told to stop.
bool Deliver(AppState& app, const GradLineFramer& framer, std::string_view line) {
  // An accepted line longer than instrumentLine holds is dropped: the handler would read a
  // cut reading as a different value. Instrument lines are far shorter.
  if (!FitsInstrumentLine(app, line))
    return true;
  app.lastReadingTick = platform::Services().TickCount();
  GradLine copy{std::string(line), framer.LineStartTick()};
  app.connectionRetries = 0;
  // Posting from a reader thread passes its gate: a suspended reader waits here, and a
  // stopped one posts nothing and gets false.
  return platform::PostMessage(app.loggingWindow, UM_GRAD_DATA, 0, 0, std::move(copy));
}

// Handles what the port has now; false when the reader was told to stop.
bool ReadAvailable(AppState& app, platform::SerialPort& port, GradLineFramer& framer) {
  std::array<char, 64> bytes{};
  const std::size_t count = port.Read(bytes);
  for (std::size_t i = 0; i < count; ++i) {
    const std::optional<std::string_view> line =
        framer.Feed(bytes[i], platform::Services().TickCount());
    if (line && !Deliver(app, framer, *line))
      return false;
  }
  return true;
}

}  // namespace

void GradReaderThread(AppState& app, platform::ReaderThread& self) {
  const std::int32_t minimumLength =
      app.settings.gradSensorCount == 1 ? ONE_SENSOR_MINIMUM_LENGTH : TWO_SENSOR_MINIMUM_LENGTH;
  app.instrumentRecordLength = minimumLength;
  if (const platform::PortHandle port = app.instrumentPortHandle.Get()) {
    port->Purge(false, true);
    port->Purge(true, false);
  }
  GradLineFramer framer(minimumLength);
  while (!self.StopRequested()) {
    const platform::PortHandle port = app.instrumentPortHandle.Get();
    if (!port || !port->IsOpen())
      return;
    if (!port->WaitForInput()) {
      if (!self.SleepFor(FAILED_PORT_PAUSE_MS))
        return;
      continue;
    }
    if (!ReadAvailable(app, *port, framer))
      return;
  }
}

void StartGradReader(AppState& app) {
  app.instrumentReader = std::make_unique<platform::ReaderThread>(
      [&app](platform::ReaderThread& self) { GradReaderThread(app, self); });
}

bool StoreGradLine(AppState& app, const std::any& payload) {
  const GradLine* line = std::any_cast<GradLine>(&payload);
  if (!line || !FitsInstrumentLine(app, line->text))
    return false;
  std::fill(app.instrumentLine.begin(), app.instrumentLine.end(), '\0');
  std::copy(line->text.begin(), line->text.end(), app.instrumentLine.begin());
  app.instrumentLineStartTick = line->startTick;
  return true;
}

}  // namespace gradlog
