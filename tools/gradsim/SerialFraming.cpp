#include "gradsim/SerialFraming.h"

#include <array>
#include <utility>

namespace gradsim {

namespace {

constexpr std::array<std::pair<int, speed_t>, 9> SPEEDS = {{{1200, B1200},
                                                            {2400, B2400},
                                                            {4800, B4800},
                                                            {9600, B9600},
                                                            {19200, B19200},
                                                            {38400, B38400},
                                                            {57600, B57600},
                                                            {115200, B115200},
                                                            {230400, B230400}}};

std::optional<speed_t> SpeedOf(int baud) {
  for (const auto& [rate, speed] : SPEEDS) {
    if (rate == baud)
      return speed;
  }
  return std::nullopt;
}

}  // namespace

std::string Describe(const SerialFraming& framing) {
  return std::to_string(framing.baud) + " " + std::to_string(framing.dataBits) + framing.parity +
         std::to_string(framing.stopBits);
}

bool IsStandardBaud(int baud) {
  return SpeedOf(baud).has_value();
}

SerialFraming FramingOf(const termios& attributes) {
  SerialFraming framing;
  framing.baud = 0;
  const speed_t speed = cfgetospeed(&attributes);
  for (const auto& [rate, code] : SPEEDS) {
    if (code == speed)
      framing.baud = rate;
  }
  switch (attributes.c_cflag & CSIZE) {
    case CS5:
      framing.dataBits = 5;
      break;
    case CS6:
      framing.dataBits = 6;
      break;
    case CS7:
      framing.dataBits = 7;
      break;
    default:
      framing.dataBits = 8;
      break;
  }
  if ((attributes.c_cflag & PARENB) == 0)
    framing.parity = 'N';
  else
    framing.parity = (attributes.c_cflag & PARODD) != 0 ? 'O' : 'E';
  framing.stopBits = (attributes.c_cflag & CSTOPB) != 0 ? 2 : 1;
  return framing;
}

bool ApplyFraming(const SerialFraming& framing, termios& attributes) {
  const std::optional<speed_t> speed = SpeedOf(framing.baud);
  if (!speed)
    return false;
  cfsetispeed(&attributes, *speed);
  cfsetospeed(&attributes, *speed);
  attributes.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
  attributes.c_cflag |= framing.dataBits == 7 ? CS7 : CS8;
  if (framing.parity != 'N')
    attributes.c_cflag |= PARENB | (framing.parity == 'O' ? PARODD : 0);
  if (framing.stopBits == 2)
    attributes.c_cflag |= CSTOPB;
  return true;
}

}  // namespace gradsim
