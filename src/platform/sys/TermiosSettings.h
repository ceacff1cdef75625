#pragma once

#include <termios.h>

#include <cstdint>
#include <optional>

#include "platform/sys/SerialPort.h"

namespace platform {

std::optional<speed_t> SpeedFromBaud(std::uint32_t baud);

// Writes the framing and flow-control part of `settings` into `attributes`, leaving the
// other flags as they are; false, with `attributes` untouched, for unsupported settings.
bool ApplyLineSettings(const LineSettings& settings, termios& attributes);
// The framing and flow control in `attributes`; the modem lines (DTR, RTS) are left as in
// `settings`. False when the speed is not a standard one.
bool ReadLineSettings(const termios& attributes, LineSettings& settings);

}  // namespace platform
