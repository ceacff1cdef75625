#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/gfx/DeviceContext.h"
#include "platform/ui/Window.h"

namespace gradlog {

// The logging window and the windows it owns.
struct LoggingWindows {
  platform::Hwnd logging;
  platform::Hwnd curve;
  platform::Hwnd speedbar;
  platform::Hwnd bars;
  platform::Hwnd barQ;
  platform::Hwnd barI;
  std::array<platform::Hwnd, 4> setA{};  // "&File", "Map&Scale", "E&xit", "&Menu"
  std::array<platform::Hwnd, 4> setB{};  // "&Go", "&QLine", "E&xit", "&Menu"
  platform::Hwnd pause;
};

// A run as the logging window sees it; touched on the UI thread only.
struct LoggingState {
  LoggingWindows windows;
  std::int32_t loggingActive = 0;  // 1 from the start of a run until it stops
  std::int32_t loggingWindowShown = 0;
  std::int32_t buttonSelection = 0;  // highlighted row of the shown button set
  std::uint32_t readerTimerPeriodMs = 70;
  std::uint32_t silenceTimeoutMs = 2000;
  std::uint32_t retryTimerPeriodMs = 300;
  // Tick of the last battery display; far enough back that the first reading shows it.
  std::uint32_t lastBatteryTick = static_cast<std::uint32_t>(-190000);
  // 0 while a command or menu owns the screen: the curve window is frozen and its picture kept.
  std::int32_t curveLiveUpdate = 1;
  std::optional<platform::Bitmap> curveSnapshot;
  // The data file refused a write or a sync in this run: the mode box says so until the run
  // ends, and the cause has been printed once.
  bool writeFailed = false;
};

}  // namespace gradlog
