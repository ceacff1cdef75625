#pragma once

#include <optional>

#include "config/ConfigState.h"
#include "platform/ui/Window.h"

namespace gradlog {

// "System Setup": the instrument on or off, one or two sensors and the GPS antenna offsets;
// OK saves the settings. DIALOG_ACCEPTED or DIALOG_CANCELLED; nullopt without the template.
std::optional<int> RunSystemSetupDialog(ConfigState& config, platform::Hwnd owner);

}  // namespace gradlog
