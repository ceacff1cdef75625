#include <charconv>
#include <filesystem>
#include <string>

#include "platform/sys/DevicePaths.h"
#include "platform/sys/SerialPort.h"

namespace platform {

namespace {

constexpr int MAX_PORT_NUMBER = 256;

// The n of "COMn:" (the colon may be left out, as the classic open call allows), or 0.
int PortNumber(std::string_view name) {
  if (name.size() < 4 || (name[0] | 0x20) != 'c' || (name[1] | 0x20) != 'o' ||
      (name[2] | 0x20) != 'm')
    return 0;
  name.remove_prefix(3);
  if (name.ends_with(':'))
    name.remove_suffix(1);
  if (name.empty() || name.front() == '0')
    return 0;
  int number = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (error != std::errc() || end != name.data() + name.size() || number < 1 ||
      number > MAX_PORT_NUMBER)
    return 0;
  return number;
}

}  // namespace

std::string SerialDevicePath(std::string_view portName) {
  const int number = PortNumber(portName);
  if (number == 0)
    return {};
  const std::string comName = "COM" + std::to_string(number);
  const std::filesystem::path link = MapDevicePath("dev\\" + comName);
  std::error_code error;
  if (std::filesystem::exists(link, error))
    return link.string();
  return "/dev/ttyS" + std::to_string(number - 1);
}

}  // namespace platform
