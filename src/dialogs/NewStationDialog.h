#pragma once

#include <optional>

#include "config/ConfigState.h"
#include "datafile/DataFileState.h"
#include "display/DisplayState.h"
#include "platform/ui/Window.h"

namespace gradlog {

// "New Station": OK moves the current station to the typed value (empty reads 0.0), starts
// new profile segments, redraws the station field, takes the next reading at that station
// and writes a station and a clock record. The settings file is not saved.
// DIALOG_ACCEPTED or DIALOG_CANCELLED; nullopt without the template.
std::optional<int> RunNewStationDialog(ConfigState& config, DataFileState& run,
                                       DisplayState& display, platform::Hwnd owner);

}  // namespace gradlog
