#pragma once

#include <optional>

#include "config/ConfigState.h"
#include "display/DisplayState.h"
#include "platform/ui/Window.h"

namespace gradlog {

// "Enter Scale": OK stores the profile range (a maximum not above the minimum becomes the
// minimum + 100), recomputes the profile and bar scales, saves the settings and starts new
// curve segments. DIALOG_ACCEPTED or DIALOG_CANCELLED; nullopt without the template.
std::optional<int> RunProfileScaleDialog(ConfigState& config, DisplayState& display,
                                         platform::Hwnd owner);

}  // namespace gradlog
