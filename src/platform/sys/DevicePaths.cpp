#include "platform/sys/DevicePaths.h"

#include <string>

namespace platform {

namespace {

std::filesystem::path& RootStorage() {
  static std::filesystem::path root{"."};
  return root;
}

}  // namespace

void SetDeviceRoot(const std::filesystem::path& root) {
  RootStorage() = root;
}

const std::filesystem::path& DeviceRoot() {
  return RootStorage();
}

std::filesystem::path MapDevicePath(std::string_view devicePath) {
  std::string relative(devicePath);
  for (char& c : relative) {
    if (c == '\\')
      c = '/';
  }
  // Handheld paths are absolute ("\Storage Card\..."); here they all live under the root, so a
  // leading separator must not turn the result into a path of the host's root.
  const std::size_t start = relative.find_first_not_of('/');
  if (start == std::string::npos)
    return RootStorage();
  return RootStorage() / relative.substr(start);
}

}  // namespace platform
