#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/sys/DevicePaths.h"

namespace gradlog::testing {

// A fresh, empty device root for one test, installed with SetDeviceRoot and removed after.
class TempDeviceRoot {
 public:
  TempDeviceRoot() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "gradlog-config-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    platform::SetDeviceRoot(path_);
  }
  ~TempDeviceRoot() {
    platform::SetDeviceRoot(".");
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  TempDeviceRoot(const TempDeviceRoot&) = delete;
  TempDeviceRoot& operator=(const TempDeviceRoot&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path SettingsPath() const { return path_ / "C_DRIVE" / "KELINI" / "Z601CX.INI"; }

  void WriteFile(const std::filesystem::path& path, std::string_view bytes) const {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::string ReadFile(const std::filesystem::path& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path path_;
};

}  // namespace gradlog::testing
