#include "config/SettingsStore.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "config/SettingsText.h"
#include "platform/sys/DevicePaths.h"
#include "platform/sys/FileReplace.h"
#include "platform/sys/RegularFileRead.h"

namespace gradlog {

namespace {

constexpr std::string_view SET_ASIDE_SUFFIX = ".bad";

std::string UnreadableReason(const platform::FileReadResult& file) {
  switch (file.status) {
    case platform::FileReadStatus::NotRegularFile:
      return "not a regular file";
    case platform::FileReadStatus::TooLarge:
      return "larger than " + std::to_string(SETTINGS_FILE_MAX) + " bytes";
    case platform::FileReadStatus::Failed:
      return file.reason.message();
    case platform::FileReadStatus::Read:
    case platform::FileReadStatus::Missing:
      break;
  }
  return "its first line is not " + std::string(SETTINGS_VERSION_LINE);
}

// Renames the unreadable file to "<name>.bad" so that writing the settings in use loses
// nothing a person might still want from it.
bool SetAsideUnreadable(std::string_view devicePath, const std::string& reason) {
  const std::filesystem::path shownPath = platform::MapDevicePath(devicePath);
  const std::string setAsideName = shownPath.filename().string() + std::string(SET_ASIDE_SUFFIX);
  const std::optional<platform::FileError> failure =
      platform::RenameFile(devicePath, std::string(devicePath) + std::string(SET_ASIDE_SUFFIX));
  std::string message =
      "gradlog: the settings file " + shownPath.string() + " is unreadable (" + reason + "); ";
  if (failure) {
    message += "it cannot be kept as " + setAsideName + " (" + failure->Message() +
               ") and is left as it is\n";
  } else {
    message += "it is kept as " + setAsideName +
               " beside it and the settings in use are written in its place\n";
  }
  std::cerr << message;
  return !failure;
}

}  // namespace

bool LoadSettingsFile(std::string_view devicePath, SurveySettings& settings) {
  const platform::FileReadResult file = platform::ReadRegularFile(devicePath, SETTINGS_FILE_MAX);
  if (file.status == platform::FileReadStatus::Read && ParseSettingsText(file.bytes, settings))
    return true;
  if (file.status == platform::FileReadStatus::Missing ||
      SetAsideUnreadable(devicePath, UnreadableReason(file))) {
    SaveSettingsFile(devicePath, settings);
  }
  return false;
}

bool SaveSettingsFile(std::string_view devicePath, const SurveySettings& settings) {
  const std::string text = FormatSettingsText(settings);
  const std::optional<platform::FileError> failure = platform::ReplaceFile(devicePath, text);
  if (failure) {
    std::cerr << "gradlog: the settings file " + platform::MapDevicePath(devicePath).string() +
                     " cannot be saved (" + failure->Message() + ")\n";
  }
  return !failure;
}

}  // namespace gradlog
