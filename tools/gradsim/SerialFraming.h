#pragma once

#include <termios.h>

#include <optional>
#include <string>

namespace gradsim {

// The line settings both ends of a serial link must agree on.
struct SerialFraming {
  int baud = 9600;
  int dataBits = 8;
  char parity = 'N';  // 'N', 'E' or 'O'
  int stopBits = 1;

  bool operator==(const SerialFraming&) const = default;
};

std::string Describe(const SerialFraming& framing);  // e.g. "9600 8N1"

bool IsStandardBaud(int baud);

// What a terminal's settings say; the baud rate is 0 when it is not a standard one.
SerialFraming FramingOf(const termios& attributes);

// Puts the framing into `attributes`; false for a baud rate termios cannot express.
bool ApplyFraming(const SerialFraming& framing, termios& attributes);

}  // namespace gradsim
