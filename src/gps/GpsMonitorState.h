#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ui/Window.h"

namespace gradlog {

// What the monitor offers to send at first: it asks a receiver for POS sentences.
inline constexpr char DEFAULT_GPS_COMMAND[] = "$PASHS,NME,POS,A,ON";
// The command text keeps at most this many characters.
inline constexpr std::size_t GPS_COMMAND_TEXT_MAX = 100;

// The monitor's buttons, by their action: the index of a button is its action's number.
inline constexpr std::int32_t MONITOR_GO = 0;
inline constexpr std::int32_t MONITOR_PAUSE = 1;
inline constexpr std::int32_t MONITOR_SEND = 2;
inline constexpr std::int32_t MONITOR_EXIT = 3;
inline constexpr std::int32_t MONITOR_BUTTON_COUNT = 4;

// The monitor window and the windows it owns.
struct GpsMonitorWindows {
  platform::Hwnd monitor;
  platform::Hwnd list;
  platform::Hwnd commandEdit;
  std::array<platform::Hwnd, MONITOR_BUTTON_COUNT> buttons{};  // "&Go", "&Pause", "&Send", "E&xit"
};

// The GPS monitor; touched on the UI thread only. Everything keeps its value while the window
// is hidden, so that the next showing carries on where the last one ended.
struct GpsMonitorState {
  GpsMonitorWindows windows;
  std::int32_t monitorRunning = 1;  // 1 while the reader runs ("&Pause" shown), 0 while paused
  std::int32_t monitorPaused = 0;   // 1 after "&Pause", 0 after "&Go"
  std::int32_t monitorDefaultButton = MONITOR_PAUSE;  // the button Enter presses
  std::string gpsCommandText = DEFAULT_GPS_COMMAND;
};

}  // namespace gradlog
