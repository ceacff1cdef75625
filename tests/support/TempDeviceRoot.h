#pragma once

#include <filesystem>

#include "platform/sys/DevicePaths.h"
#include "support/TempFolder.h"

namespace gradlog::testing {

// A fresh, empty device root for one test, installed with SetDeviceRoot and removed after.
class TempDeviceRoot : public testing_support::TempFolder {
 public:
  TempDeviceRoot() { platform::SetDeviceRoot(Path()); }
  ~TempDeviceRoot() { platform::SetDeviceRoot("."); }

  std::filesystem::path SettingsPath() const {
    return Path() / "C_DRIVE" / "KELINI" / "Z601CX.INI";
  }
};

}  // namespace gradlog::testing
