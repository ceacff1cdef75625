#pragma once

#include "config/ConfigState.h"

namespace gradlog {

// Brings the settings and the values derived from them up to date from the settings file.
// A missing or unreadable file is written from the record as it stands (an unreadable one is
// kept as Z601CX.INI.bad first); the derived values are then left alone: start-up loads twice
// so the second call reads it back.
void LoadSettings(ConfigState& config);

// Writes the whole record to the settings file, replacing the old file only once the new one
// is complete on disk. False, with a line on stderr, when it could not: the record keeps its
// values in memory.
bool SaveSettings(ConfigState& config);

}  // namespace gradlog
