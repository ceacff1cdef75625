#pragma once

#include "logging/LoggingRun.h"
#include "platform/ui/Messages.h"

namespace gradlog {

// Registers "LoggingWnd" and the classes of its child windows ("CurveWnd", "SpeedbarWnd",
// "BarsWnd", "BarQWnd", "BarIWnd"); false when a name is taken. `run` must outlive them.
bool RegisterLoggingClasses(LoggingRun& run);

// The procedure of "LoggingWnd": a table of 15 messages, the default procedure for the rest.
platform::LRESULT LoggingWindowProc(LoggingRun& run, const platform::Message& message);

// Invalidates and paints the logging window, the curve window and the bar window now.
void RedrawLoggingScreen(const LoggingRun& run);
void RedrawWindowNow(platform::Hwnd window);

}  // namespace gradlog
