#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

namespace platform {

// Why a file operation failed: the step that failed and the system's reason.
struct FileError {
  std::string step;
  std::error_code reason;

  std::string Message() const { return step + ": " + reason.message(); }
};

// Replaces the file at `devicePath` with `bytes` so that a crash or power cut at any moment
// leaves either the old file whole or the new one: the bytes go to a temporary file in the same
// folder, which is synced and renamed over the old name, and then the folder is synced. On
// failure the old file is as it was and no temporary file is left, unless only the final
// folder sync failed (the new file is then in place but may not outlast a power cut). Whatever
// stands at the name, a link included, is replaced rather than followed.
std::optional<FileError> ReplaceFile(std::string_view devicePath, std::span<const char> bytes);

// Gives the file (or link, or whatever stands) at `devicePath` the name `newDevicePath` in one
// step, replacing what had that name.
std::optional<FileError> RenameFile(std::string_view devicePath, std::string_view newDevicePath);

}  // namespace platform
