#pragma once

namespace platform {

// Runs the hook set with SetIdleTimerHook(), if any. Safe from any thread.
void CallIdleTimerHook();

}  // namespace platform
