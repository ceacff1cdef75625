#pragma once

#include "app/AppState.h"

namespace gradlog {

inline constexpr int KEEP_ALIVE_PERIOD_MS = 59000;

// Keeps the handheld from sleeping during a survey: resets the system idle timer, then
// rests, until keepAliveRunning drops to 0.
void StartKeepAlive(AppState& app);
// Clears keepAliveRunning and wakes the thread so that it ends without its full rest; the
// caller does not wait for it.
void StopKeepAlive(AppState& app);

}  // namespace gradlog
