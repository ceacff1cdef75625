#pragma once

#include <string>
#include <vector>

#include "platform/gfx/Geometry.h"
#include "platform/ui/Handles.h"

namespace platform {

struct MenuItem {
  std::string text;  // & marks the mnemonic; empty with separator set
  int id = 0;
  bool separator = false;
  std::vector<MenuItem> subItems;  // a sub-menu when not empty
};

struct Menu {
  std::vector<MenuItem> items;
};

// Menus live in the program's resources, which register them at start-up by number.
void RegisterMenu(int resourceId, Menu menu);
const Menu* FindMenu(int resourceId);

// Shows `menu` with its right edge at rightTop.x and its top at rightTop.y (screen pixels,
// moved inside the screen when it would leave it), and runs until an item is chosen or the
// menu is dismissed. Keys: Up and Down (skipping separators, wrapping), Right or Enter opens
// a sub-menu, Left or Escape closes one level, Enter chooses, a mnemonic letter chooses or
// opens; the pointer clicks an item, a click outside dismisses. The chosen item's id is
// posted to `owner` as WM_COMMAND (MakeWParam(id, 0)) and returned; dismissing sends
// nothing and returns 0. Posted messages, sends from other threads and timers keep being
// served meanwhile. A menu opened while the pointer is pressed starts with nothing
// highlighted; any other starts on its first item, as the keys expect.
int TrackPopupMenu(const Menu& menu, Point rightTop, Hwnd owner);

}  // namespace platform
