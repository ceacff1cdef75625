#pragma once

#include <string>

#include "platform/ui/Window.h"

namespace gradlog {

// The list keeps the latest lines only, so that a monitor left running for hours does not eat
// the memory the survey's track needs.
inline constexpr int GPS_MONITOR_LIST_CAP = 1000;

// Adds `text` as the last line of the monitor's `list`, removing the oldest lines beyond
// GPS_MONITOR_LIST_CAP, and scrolls the list as far as it goes so that the new line shows.
void AppendMonitorLine(platform::Hwnd list, const std::string& text);

}  // namespace gradlog
