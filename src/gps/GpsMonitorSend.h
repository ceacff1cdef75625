#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "serial/PortLink.h"

namespace gradlog {

// What the monitor's list shows for a command that did not reach the port, before the cause.
inline constexpr char SEND_FAILED_TEXT[] = "SEND FAILED: ";
inline constexpr char NO_GPS_PORT_TEXT[] = "no GPS port is open";

// Writes `command` with CR LF to the link's port in one write, the pending bytes discarded
// first. A running reader is suspended around it so that the port is not read while it is
// written; one that `readerPaused` keeps suspended stays so. nullopt when the whole line was
// written, else why not, for a person.
std::optional<std::string> WriteGpsCommand(PortLink& link, std::string_view command,
                                           bool readerPaused);

}  // namespace gradlog
