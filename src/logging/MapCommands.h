#pragma once

#include "logging/LoggingRun.h"

namespace gradlog {

// The map's commands of the logging menu; each starts with the curve window frozen and ends
// by putting its picture back or drawing the map anew.
void ScaleMapCommand(LoggingRun& run);
void ToggleViewCommand(LoggingRun& run);
void ExternalFileCommand(LoggingRun& run);
void AsciiFileCommand(LoggingRun& run);
void MapOptionsCommand(LoggingRun& run);

// The menu the "&Menu" button shows: with or without a data file, and offering to remove an
// external track while one is loaded.
int LoggingMenuId(const LoggingRun& run);

}  // namespace gradlog
