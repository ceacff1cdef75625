#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/ConfigState.h"
#include "config/SettingsFile.h"
#include "support/FirstStartSettings.h"
#include "support/TempDeviceRoot.h"

namespace gradlog::testing {

class SettingsFileFixture : public ::testing::Test {
 protected:
  // The first-start file with line `lineNumber` (from 1) replaced.
  static std::string FileWithLine(int lineNumber, const std::string& text) {
    std::vector<std::string> lines = testing_support::FirstStartLines();
    lines.at(static_cast<std::size_t>(lineNumber - 1)) = text;
    return testing_support::JoinCrLf(lines);
  }
  static std::string FirstStartFile() { return FileWithLine(1, "Ver1.34"); }
  // Start-up, which loads twice, with a fresh record; what it wrote on stderr.
  std::string StartUpFresh() {
    *config = ConfigState{};
    ::testing::internal::CaptureStderr();
    LoadSettings(*config);
    LoadSettings(*config);
    return ::testing::internal::GetCapturedStderr();
  }
  void WriteSettings(const std::string& bytes) { root.WriteFile(root.SettingsPath(), bytes); }
  std::string SettingsBytes() const { return root.ReadFile(root.SettingsPath()); }
  std::filesystem::path BadPath() const { return root.SettingsPath().string() + ".bad"; }

  TempDeviceRoot root;
  std::unique_ptr<ConfigState> config = std::make_unique<ConfigState>();
};

}  // namespace gradlog::testing
