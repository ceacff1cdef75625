#pragma once

#include <optional>
#include <string>

#include "platform/ui/Window.h"

namespace gradlog {

// "GPS Message": the command to send to the receiver, offered as `current`. OK gives the text
// of the field (its first GPS_COMMAND_TEXT_MAX characters); Cancel, and a missing template,
// nullopt.
std::optional<std::string> RunGpsMessageDialog(platform::Hwnd owner, const std::string& current);

}  // namespace gradlog
