#include "config/SettingsFile.h"

#include <string_view>

#include "config/DerivedSettings.h"
#include "config/SettingsStore.h"
#include "platform/sys/Files.h"

namespace gradlog {

namespace {

constexpr std::string_view SETTINGS_FOLDER = "C_DRIVE\\KELINI";
constexpr std::string_view SETTINGS_PATH = "C_DRIVE\\KELINI\\Z601CX.INI";
constexpr std::string_view STORAGE_CARD_FOLDER = "Storage Card";

bool StorageCardPresent() {
  return platform::DirectoryExists(STORAGE_CARD_FOLDER);
}

}  // namespace

void LoadSettings(ConfigState& config) {
  // The antenna offsets are entered for one session only.
  config.gpsOffsetX = 0.0f;
  config.gpsOffsetY = 0.0f;
  config.storageCardPresent = StorageCardPresent() ? 1 : 0;
  platform::CreateDirectoryPath(SETTINGS_FOLDER);

  if (LoadSettingsFile(SETTINGS_PATH, config.settings))
    ComputeDerivedSettings(config);
}

bool SaveSettings(ConfigState& config) {
  config.storageCardPresent = StorageCardPresent() ? 1 : 0;
  platform::CreateDirectoryPath(SETTINGS_FOLDER);
  return SaveSettingsFile(SETTINGS_PATH, config.settings);
}

}  // namespace gradlog
