#pragma once

#include "gps/GpsMonitor.h"
#include "platform/ui/Messages.h"

namespace gradlog {

// The monitor window's children.
inline constexpr int MONITOR_LIST_ID = 222;
inline constexpr int MONITOR_COMMAND_EDIT_ID = 452;
inline constexpr int MONITOR_FIRST_BUTTON_ID = 440;  // "&Go"; then "&Pause", "&Send", "E&xit"

// Registers "MonitorGPSWnd"; false when the name is taken. `monitor` must outlive the window.
bool RegisterGpsMonitorClass(GpsMonitor& monitor);

// The procedure of "MonitorGPSWnd": a table of its messages, the default procedure for the
// rest. The lines its reader posts are added to the list here, on the UI thread.
platform::LRESULT MonitorGpsWindowProc(GpsMonitor& monitor, const platform::Message& message);

}  // namespace gradlog
