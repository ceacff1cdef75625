#pragma once

#include <any>
#include <cstdint>
#include <string>

#include "app/AppState.h"
#include "platform/sys/ReaderThread.h"

namespace gradlog {

// What UM_GRAD_DATA carries: a copy of the accepted line, so that the reader can go on
// assembling the next one while the handler reads this one.
struct GradLine {
  std::string text;  // from the '$', without CR LF
  std::uint32_t startTick = 0;
};

// The body of the gradiometer reader: frames the lines arriving on instrumentPortHandle and
// posts each accepted one to the logging window. Ends when the port field is closed.
void GradReaderThread(AppState& app, platform::ReaderThread& self);

// Starts GradReaderThread in app.instrumentReader.
void StartGradReader(AppState& app);

// On the UI thread: puts the line a UM_GRAD_DATA message carries into instrumentLine and
// instrumentLineStartTick for the reading handler. False when the payload is not a line.
bool StoreGradLine(AppState& app, const std::any& payload);

}  // namespace gradlog
