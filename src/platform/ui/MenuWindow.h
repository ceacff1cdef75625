#pragma once

#include <string>
#include <vector>

#include "platform/ui/Menu.h"
#include "platform/ui/Window.h"

// The pop-up window that shows one level of a menu (class "MenuWnd"): its layout, its
// painting and its highlighted item. What the keys and the pointer do is TrackPopupMenu's.
namespace platform {

inline constexpr char MENU_WINDOW_CLASS[] = "MenuWnd";
inline constexpr int NO_MENU_ITEM = -1;

// Outer size of the window for these items, border included.
Size MenuWindowSize(const std::vector<MenuItem>& items);

// A visible window at `rect` (screen pixels) on top of every other window, painted at once.
// The title is the text of the item the menu hangs from (empty for the first level), so
// that a sub-menu can be found by it. `items` must outlive the window.
Hwnd CreateMenuWindow(const std::vector<MenuItem>& items, const Rect& rect,
                      const std::string& title);

const std::vector<MenuItem>& MenuWindowItems(Hwnd window);
// The item under a client point; NO_MENU_ITEM over the margins or outside.
int MenuItemAt(Hwnd window, Point client);
Rect MenuItemScreenRect(Hwnd window, int index);
int SelectedMenuItem(Hwnd window);
void SelectMenuItem(Hwnd window, int index);  // NO_MENU_ITEM removes the highlight

// The upper-case letter or digit an item's '&' marks (its virtual-key code); 0 for none.
std::uint32_t MenuMnemonicKey(const MenuItem& item);

}  // namespace platform
