#pragma once

#include <optional>

#include "config/ConfigState.h"
#include "platform/ui/Window.h"

namespace gradlog {

// "ASCII File Parameters": which columns of an ASCII position file hold longitude and
// latitude and which character separates them; OK saves the settings.
// DIALOG_ACCEPTED or DIALOG_CANCELLED; nullopt without the template.
std::optional<int> RunAsciiFileDialog(ConfigState& config, platform::Hwnd owner);

}  // namespace gradlog
