#pragma once

#include <cstddef>
#include <span>

#include "config/ConfigState.h"
#include "platform/sys/Files.h"

namespace gradlog {

// Brings the settings and the values derived from them up to date from the settings file.
// A missing file, or one of another version, is written from the record as it stands (the
// derived values are then left alone: start-up loads twice so the second call reads it back).
void LoadSettings(ConfigState& config);

// Writes the whole record to the settings file. A file that cannot be written is no error:
// the record keeps its values in memory.
void SaveSettings(ConfigState& config);

// Reads one line byte by byte into `buffer` and returns its length. The CR before the LF is
// dropped; characters beyond the buffer are dropped; the text is not zero-terminated. End of
// file (or a failed read) gives 0, also after the characters of an unterminated last line.
std::size_t ReadSettingsLine(platform::File& file, std::span<char> buffer);

}  // namespace gradlog
