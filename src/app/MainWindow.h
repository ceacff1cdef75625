#pragma once

#include <array>
#include <string>

#include "app/AppState.h"

namespace gradlog {

inline constexpr std::uint32_t UPTIME_LIMIT_MS = 1728000000;  // 20 days

platform::LRESULT MainWindowProc(AppState& app, const platform::Message& message);

// Start-up, run when the main window is created.
platform::LRESULT OnMainCreate(AppState& app, const platform::Message& message);
// The start screen.
platform::LRESULT OnMainPaint(AppState& app, const platform::Message& message);

// The points of the two brackets that frame the button column.
std::array<platform::Point, 9> LeftBracketPoints();
std::array<platform::Point, 9> RightBracketPoints();

// The text of the 20-day warning, its lines joined by CR LF.
std::string UptimeWarningText();

}  // namespace gradlog
