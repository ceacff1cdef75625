#pragma once

#include <functional>

#include "app/AppState.h"

namespace gradlog {

inline constexpr int MAIN_CLASS_FAILED = 1;
inline constexpr int OTHER_CLASS_FAILED = 2;
inline constexpr int MAIN_WINDOW_FAILED = 16;

// Registers the window classes (1 or 2 when that fails), creates the main window (16 when
// that fails), hands it to `mainWindowReady` and runs the message loop; returns the quit code.
int RunMainRoutine(AppState& app, const std::function<void(platform::Hwnd)>& mainWindowReady = {});

// Class registration alone, in its order; 0 when every class was registered.
int RegisterWindowClasses(AppState& app);
// Creates the full-screen main window; null when it cannot be created.
platform::Hwnd CreateMainWindow(AppState& app);

}  // namespace gradlog
