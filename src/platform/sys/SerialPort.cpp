#include "platform/sys/SerialPort.h"

#include <system_error>

#include "platform/sys/TermiosSettings.h"

namespace platform {

bool IsSupportedLineSettings(const LineSettings& settings) {
  // The in-memory port refuses exactly what a device refuses, so tests meet the same errors.
  termios scratch{};
  return ApplyLineSettings(settings, scratch);
}

std::string SystemErrorText(int error) {
  return std::error_code(error, std::generic_category()).message();
}

}  // namespace platform
