#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "gps/GpsState.h"
#include "platform/ui/Window.h"

namespace gradlog {

// The record length of a data file by the first 12 bytes it starts with; nullopt for a file
// of another format, or one shorter than 12 bytes.
std::optional<std::int32_t> DataFileRecordLength(std::string_view firstBytes);
// The same for the file at `devicePath`; nullopt also when it cannot be read.
std::optional<std::int32_t> DataFileRecordLengthAt(std::string_view devicePath);

enum class ExternalChoice { Chosen, OtherFormat, Cancelled };

// Both choosers open in `initialFolder`, the run's data folder.
//
// "Open Data File": the user picks an earlier data file. Chosen keeps its path and record
// length in `external` and marks it a data file; a file of another format (or one that
// cannot be read) gives OtherFormat, for the caller's "Format not supported", and leaves
// `external` as it was.
ExternalChoice OpenExternalDataFile(platform::Hwnd owner, std::string_view initialFolder,
                                    ExternalTrack& external);

// "Open ASCII File": the user picks a position file; false when cancelled. The path is kept
// in `external`, marked an ASCII file.
bool OpenAsciiPositionFile(platform::Hwnd owner, std::string_view initialFolder,
                           ExternalTrack& external);

}  // namespace gradlog
