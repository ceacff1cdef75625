#pragma once

#include <cstdint>

#include "gps/GpsMonitor.h"

namespace gradlog {

// The main menu's "Mo&nitor GPS": with gpsInput 1 opens the GPS port and starts the monitor's
// reader on it, held back while the monitor stands paused; in any case shows the monitor on
// top of the start screen with the focus.
void OpenGpsMonitor(GpsMonitor& monitor);
// Its two steps: the reader started on the link's open port (suspended at once while the
// monitor stands paused, so that "&Go" starts the flow), and the window shown.
void StartMonitorReading(GpsMonitor& monitor);
void ShowGpsMonitor(GpsMonitor& monitor);

// The action of button `action`, MONITOR_GO to MONITOR_EXIT; any other number does nothing.
//   Go: the pending bytes discarded, the reader resumed, "&Pause" shown instead of "&Go".
//   Pause: the reader suspended, the pending bytes discarded, "&Go" shown instead of "&Pause".
//   Send: the command asked for and written; a failure is added to the list.
//   Exit: the port closed and the reader ended, the monitor hidden, the focus back to the
//   start screen.
void RunMonitorAction(GpsMonitor& monitor, std::int32_t action);

// TAB: the default (the button Enter presses) moves on to the next button that is shown.
void MoveMonitorDefault(GpsMonitorState& state);
// Gives button `index` the default style, taking it from the button that had it.
void SetMonitorDefault(GpsMonitorState& state, std::int32_t index);
// Shows and enables "&Pause" while the monitor runs, "&Go" while it is paused; hides and
// disables the other.
void ShowRunButtons(const GpsMonitorState& state);

}  // namespace gradlog
