#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// Program paths are written as on the handheld ("C_DRIVE\KELINI\Z601CX.INI"); they live under
// the device root with backslashes turned into slashes. The root is set once at start-up.
void SetDeviceRoot(const std::filesystem::path& root);
const std::filesystem::path& DeviceRoot();
std::filesystem::path MapDevicePath(std::string_view devicePath);

}  // namespace platform
