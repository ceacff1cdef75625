#pragma once

#include <array>
#include <string_view>

#include "app/AppState.h"

namespace gradlog {

inline constexpr int MAIN_BUTTON_COUNT = 9;
inline constexpr int FIRST_MAIN_BUTTON_ID = 418;
inline constexpr int EXIT_COMMAND = 8;

inline constexpr std::array<std::string_view, MAIN_BUTTON_COUNT> MAIN_BUTTON_TEXTS{
    "&Logging",     "&Survey Setup", "S&ystem Setup",    "L&ogger Setup", "&GPS Port Setup",
    "Mo&nitor GPS", "&Map Options",  "&Profile Options", "E&xit"};

// Where start-up places button i: the column bulges to the left in the middle.
platform::Rect MainButtonRect(int index);

// WM_COMMAND and WM_KEYDOWN of the main window.
platform::LRESULT OnMainCommand(AppState& app, const platform::Message& message);
platform::LRESULT OnMainKey(AppState& app, const platform::Message& message);

// Moves the highlight (the default-button style) to another button.
void SelectMainButton(AppState& app, int index);
void RunMainCommand(AppState& app, int index);
// "E&xit": the keep-alive stopped, then the main window closed.
void ExitProgram(AppState& app);

}  // namespace gradlog
