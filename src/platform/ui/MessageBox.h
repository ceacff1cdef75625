#pragma once

#include <string_view>

#include "platform/ui/Handles.h"

namespace platform {

// Flags and results (classic values).
inline constexpr unsigned MB_OK = 0x0000;
inline constexpr unsigned MB_YESNO = 0x0004;
inline constexpr unsigned MB_ICONQUESTION = 0x0020;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x0030;
inline constexpr unsigned MB_ICONINFORMATION = 0x0040;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// A modal box sized to its text and centred on the screen; runs a nested message loop (sends
// from other threads, posted messages and timers keep being served) until a button is
// chosen. Text lines are separated by "\r\n". Returns IDOK, IDYES or IDNO (Escape on a
// single OK gives IDOK).
int MessageBox(Hwnd owner, std::string_view text, std::string_view caption, unsigned flags);

}  // namespace platform
