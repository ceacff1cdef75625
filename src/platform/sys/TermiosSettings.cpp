#include "platform/sys/TermiosSettings.h"

#include <algorithm>
#include <array>
#include <utility>

namespace platform {

namespace {

constexpr std::array<std::pair<std::uint32_t, speed_t>, 19> BAUD_RATES{{
    {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800},
}};

constexpr std::array<std::pair<int, tcflag_t>, 4> DATA_BITS{{
    {5, CS5},
    {6, CS6},
    {7, CS7},
    {8, CS8},
}};

}  // namespace

std::optional<speed_t> SpeedFromBaud(std::uint32_t baud) {
  const auto* found = std::find_if(BAUD_RATES.begin(), BAUD_RATES.end(),
                                   [baud](const auto& rate) { return rate.first == baud; });
  if (found == BAUD_RATES.end())
    return std::nullopt;
  return found->second;
}

bool ApplyLineSettings(const LineSettings& settings, termios& attributes) {
  const std::optional<speed_t> speed = SpeedFromBaud(settings.baud);
  const auto* size = std::find_if(DATA_BITS.begin(), DATA_BITS.end(), [&](const auto& bits) {
    return bits.first == settings.dataBits;
  });
  if (!speed || size == DATA_BITS.end() || settings.dsrFlow)
    return false;
  termios changed = attributes;
  if (::cfsetispeed(&changed, *speed) != 0 || ::cfsetospeed(&changed, *speed) != 0)
    return false;
  changed.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  changed.c_cflag |= size->second;
  if (settings.parity != Parity::None)
    changed.c_cflag |= PARENB;
  if (settings.parity == Parity::Odd)
    changed.c_cflag |= PARODD;
  if (settings.stopBits == StopBits::Two)
    changed.c_cflag |= CSTOPB;
  if (settings.ctsFlow)
    changed.c_cflag |= CRTSCTS;
  changed.c_iflag &= ~(IXON | IXOFF | IXANY);
  if (settings.xonXoffOutput)
    changed.c_iflag |= IXON;
  if (settings.xonXoffInput)
    changed.c_iflag |= IXOFF;
  attributes = changed;
  return true;
}

bool ReadLineSettings(const termios& attributes, LineSettings& settings) {
  const speed_t speed = ::cfgetospeed(&attributes);
  const auto* rate = std::find_if(BAUD_RATES.begin(), BAUD_RATES.end(),
                                  [speed](const auto& entry) { return entry.second == speed; });
  if (rate == BAUD_RATES.end())
    return false;
  const auto* size = std::find_if(DATA_BITS.begin(), DATA_BITS.end(), [&](const auto& bits) {
    return bits.second == (attributes.c_cflag & CSIZE);
  });
  settings.baud = rate->first;
  settings.dataBits = size->first;  // CSIZE has exactly these four values
  if ((attributes.c_cflag & PARENB) == 0)
    settings.parity = Parity::None;
  else
    settings.parity = (attributes.c_cflag & PARODD) != 0 ? Parity::Odd : Parity::Even;
  settings.stopBits = (attributes.c_cflag & CSTOPB) != 0 ? StopBits::Two : StopBits::One;
  settings.ctsFlow = (attributes.c_cflag & CRTSCTS) != 0;
  settings.dsrFlow = false;
  settings.xonXoffOutput = (attributes.c_iflag & IXON) != 0;
  settings.xonXoffInput = (attributes.c_iflag & IXOFF) != 0;
  return true;
}

}  // namespace platform
