#pragma once

#include <optional>

#include "app/AppState.h"

namespace gradlog {

// "New Station": OK moves the current station to the typed value (empty reads 0.0), starts
// new profile segments, redraws the station field, takes the next reading at that station
// and writes a station and a clock record. The settings file is not saved.
// DIALOG_ACCEPTED or DIALOG_CANCELLED; nullopt without the template.
std::optional<int> RunNewStationDialog(AppState& app, platform::Hwnd owner);

}  // namespace gradlog
