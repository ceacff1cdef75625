#pragma once

#include <cstddef>
#include <string_view>

#include "config/SurveySettings.h"

namespace gradlog {

// A real settings file is about 1 KiB; anything much larger is not one.
inline constexpr std::size_t SETTINGS_FILE_MAX = 64 * 1024;

// Reads `settings` from the settings file at `devicePath` and returns true; or else writes the
// file from `settings` as they stand and returns false. A missing file is simply written. An
// unreadable one (not a regular file, too large, or not starting with the version line) is
// first kept beside it as "<name>.bad", replacing an older one, and a line on stderr says so;
// where it cannot be kept it is left alone and not written over.
bool LoadSettingsFile(std::string_view devicePath, SurveySettings& settings);

// Writes `settings` to the settings file at `devicePath` so that a power cut leaves the old file
// or the new one, whole. Returns false, with a line on stderr naming the file and the cause,
// when that failed; the old file then stays as it was (unless only the last step, syncing the
// folder, failed: the new file is then in place but may not outlast a power cut).
bool SaveSettingsFile(std::string_view devicePath, const SurveySettings& settings);

}  // namespace gradlog
