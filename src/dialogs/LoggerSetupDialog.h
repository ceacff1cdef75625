#pragma once

#include <optional>

#include "config/ConfigState.h"
#include "platform/ui/Window.h"

namespace gradlog {

// "Logger Setup": the instrument port, distance and speed units, audio, the pause key and
// where data files go; OK saves the settings. "Storage Card" without a card present stores
// "C_Drive". DIALOG_ACCEPTED or DIALOG_CANCELLED; nullopt without the template.
std::optional<int> RunLoggerSetupDialog(ConfigState& config, platform::Hwnd owner);

}  // namespace gradlog
