#pragma once

#include <functional>
#include <optional>
#include <string>

#include "config/ConfigState.h"
#include "gps/GpsMonitorState.h"
#include "serial/PortLink.h"

namespace gradlog {

// Asks the operator for the command to send, over `owner`, offering `current`; nullopt when
// the operator cancels.
using AskGpsCommand =
    std::function<std::optional<std::string>(platform::Hwnd owner, const std::string& current)>;

// What the monitor window works on: its state, the GPS port with the monitor's reader, the
// settings (gpsInput and the port's line), and the question for the command to send.
struct GpsMonitor {
  GpsMonitorState& state;
  PortLink& link;
  const ConfigState& config;
  AskGpsCommand askCommand;
};

}  // namespace gradlog
