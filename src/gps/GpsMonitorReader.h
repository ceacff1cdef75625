#pragma once

#include <cstdint>
#include <string>

#include "platform/sys/ReaderThread.h"
#include "platform/ui/Window.h"
#include "serial/PortLink.h"
#include "serial/SharedPort.h"

namespace gradlog {

// What UM_GPS_MONITOR_LINE carries: a copy of one line for the monitor's list.
struct GpsMonitorLine {
  std::string text;
};

// A port silent for longer than this is reported, and again after each further stretch.
inline constexpr std::uint32_t GPS_SILENCE_LIMIT_MS = 7000;
inline constexpr char NO_DATA_TEXT[] = "NO DATA";

// The body of the monitor's reader: posts each line arriving on `port` to `target` as
// UM_GPS_MONITOR_LINE, and NO_DATA_TEXT when no line has come for more than
// GPS_SILENCE_LIMIT_MS since `startTick` or the line before. It never touches a window
// itself, and looks at the port every few milliseconds rather than blocking in it, so that
// the silence is noticed; it ends only when it is told to stop.
void GpsMonitorReaderThread(platform::ReaderThread& self, SharedPort& port, platform::Hwnd target,
                            std::uint32_t startTick);

// Starts GpsMonitorReaderThread as the GPS link's reader; the silence counts from now.
void StartGpsMonitorReader(PortLink& link, platform::Hwnd target);

}  // namespace gradlog
