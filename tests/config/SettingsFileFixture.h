#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/ConfigState.h"
#include "config/SettingsFile.h"
#include "support/FirstStartSettings.h"
#include "support/TempDeviceRoot.h"

namespace gradlog::testing {

// The first-start file with one line replaced (line numbers count from 1).
inline std::string FileWithLine(int lineNumber, const std::string& text) {
  std::vector<std::string> lines = testing_support::FirstStartLines();
  lines.at(static_cast<std::size_t>(lineNumber - 1)) = text;
  return testing_support::JoinCrLf(lines);
}

// A fresh device root and record for each test of the settings file.
class SettingsFileFixture : public ::testing::Test {
 protected:
  // Loads twice, as start-up does.
  void StartUp(ConfigState& state) {
    LoadSettings(state);
    LoadSettings(state);
  }
  void WriteSettings(const std::string& bytes) { root.WriteFile(root.SettingsPath(), bytes); }
  std::string SettingsBytes() const { return root.ReadFile(root.SettingsPath()); }

  TempDeviceRoot root;
  std::unique_ptr<ConfigState> config = std::make_unique<ConfigState>();
};

}  // namespace gradlog::testing
