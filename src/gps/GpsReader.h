#pragma once

#include <cstdint>
#include <string>

#include "platform/sys/ReaderThread.h"
#include "platform/ui/Window.h"
#include "serial/SerialState.h"
#include "serial/SharedPort.h"

namespace gradlog {

// What UM_GPS_SENTENCE carries: the sentence from its '$', without CR LF, and the tick of
// its '$'.
struct GpsSentence {
  std::string text;
  std::uint32_t startTick = 0;
};

// The body of the NMEA reader: frames the sentences arriving on `port` and sends each to
// `target` as UM_GPS_SENTENCE, waiting until the handler has returned. A closed or failed
// port is waited out; the reader ends only when it is told to stop.
void GpsReaderThread(platform::ReaderThread& self, SharedPort& port, platform::Hwnd target);

// Starts GpsReaderThread as the GPS link's reader.
void StartGpsReader(SerialState& serial, platform::Hwnd target);

}  // namespace gradlog
