#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/sys/DevicePaths.h"

// A fresh device root in the temporary folder, installed for the benchmark and removed after.
class BenchDeviceRoot {
 public:
  BenchDeviceRoot() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "gradlog-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) {
      path_ = pattern;
      Install();
    }
  }
  ~BenchDeviceRoot() {
    std::error_code error;
    if (!path_.empty())
      std::filesystem::remove_all(path_, error);
  }
  BenchDeviceRoot(const BenchDeviceRoot&) = delete;
  BenchDeviceRoot& operator=(const BenchDeviceRoot&) = delete;

  bool Ready() const { return !path_.empty(); }
  const std::filesystem::path& Path() const { return path_; }
  // Installs it again, after another benchmark installed its own.
  void Install() const { platform::SetDeviceRoot(path_); }

 private:
  std::filesystem::path path_;
};
