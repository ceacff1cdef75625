#pragma once

#include <any>
#include <cstdint>
#include <string>

#include "platform/sys/ReaderThread.h"
#include "platform/ui/Window.h"
#include "serial/SerialState.h"
#include "serial/SharedPort.h"

namespace gradlog {

// What UM_GRAD_DATA carries: a copy of the accepted line, so that the reader can go on
// assembling the next one while the handler reads this one.
struct GradLine {
  std::string text;  // from the '$', without CR LF
  std::uint32_t startTick = 0;
};

// What the reader takes from the settings and the windows when it starts: it reads nothing
// of the UI thread's afterwards.
struct GradReaderSetup {
  std::int32_t gradSensorCount = 2;
  platform::Hwnd target;  // receives UM_GRAD_DATA
};

// The body of the gradiometer reader: frames the lines arriving on `port` and posts each
// accepted one to the target window. A closed or failed port is waited out; the reader ends
// only when it is told to stop.
void GradReaderThread(platform::ReaderThread& self, SharedPort& port, InstrumentStatus& status,
                      GradReaderSetup setup);

// Starts GradReaderThread as the instrument link's reader.
void StartGradReader(SerialState& serial, GradReaderSetup setup);

// On the UI thread: puts the line a UM_GRAD_DATA message carries into instrumentLine and
// instrumentLineStartTick for the reading handler. False when the payload is not a line.
bool StoreGradLine(SerialState& serial, const std::any& payload);

}  // namespace gradlog
