#pragma once

#include <optional>

#include "config/ConfigState.h"
#include "display/DisplayState.h"
#include "platform/ui/Window.h"

namespace gradlog {

// "Speed Bar Scale": OK stores speedMax, recomputes speedPixelsPerUnit and saves the
// settings. DIALOG_ACCEPTED or DIALOG_CANCELLED; nullopt without the template.
std::optional<int> RunSpeedScaleDialog(ConfigState& config, DisplayState& display,
                                       platform::Hwnd owner);

}  // namespace gradlog
