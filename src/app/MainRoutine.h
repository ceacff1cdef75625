#pragma once

#include "app/AppState.h"

namespace gradlog {

inline constexpr int kMainClassFailed = 1;
inline constexpr int kOtherClassFailed = 2;
inline constexpr int kMainWindowFailed = 16;

// Registers the window classes (1 or 2 when that fails), creates the main window (16 when
// that fails) and runs the message loop; returns the quit code.
int RunMainRoutine(AppState& app);

// Class registration alone, in its order; 0 when every class was registered.
int RegisterWindowClasses(AppState& app);
// Creates the full-screen main window; null when it cannot be created.
platform::Hwnd CreateMainWindow(AppState& app);

}  // namespace gradlog
