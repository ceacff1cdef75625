#pragma once

namespace gradlog {

// The logging window's pop-up menus, by number: 40, 92 and 93 while a data file is open,
// 70, 90 and 91 without one; the second of each set with an external data-file track, the
// third with an ASCII track.
inline constexpr int MENU_FILE_OPEN = 40;
inline constexpr int MENU_FILE_OPEN_EXTERNAL = 92;
inline constexpr int MENU_FILE_OPEN_ASCII = 93;
inline constexpr int MENU_NO_FILE = 70;
inline constexpr int MENU_NO_FILE_EXTERNAL = 90;
inline constexpr int MENU_NO_FILE_ASCII = 91;

void RegisterMenus();

}  // namespace gradlog
