#include "platform/ui/Menu.h"

#include <algorithm>
#include <map>
#include <vector>

#include "platform/ui/MenuWindow.h"
#include "platform/ui/ModalLoop.h"
#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

std::map<int, Menu>& Registry() {
  static std::map<int, Menu> menus;
  return menus;
}

bool IsSelectable(const MenuItem& item) {
  return !item.separator;
}

bool HasSubMenu(const MenuItem& item) {
  return !item.separator && !item.subItems.empty();
}

// Keeps `rect` on the screen, pinned to the top-left corner when it is larger.
Rect MoveOntoScreen(const Rect& rect) {
  const int left = std::max(0, std::min(rect.left, SCREEN_WIDTH - rect.Width()));
  const int top = std::max(0, std::min(rect.top, SCREEN_HEIGHT - rect.Height()));
  return rect.Offset(left - rect.left, top - rect.top);
}

Rect PlaceMenu(Size size, Point rightTop) {
  return MoveOntoScreen(
      Rect::FromSize(rightTop.x - size.width, rightTop.y, size.width, size.height));
}

// Beside the item it hangs from, its first row level with that item: to the right, or to
// the left when only the left has room. `firstRowOffset` is how far below a menu window's
// top its first row lies.
Rect PlaceSubMenu(Size size, const Rect& parentWindow, int itemTop, int firstRowOffset) {
  int left = parentWindow.right;
  if (left + size.width > SCREEN_WIDTH && parentWindow.left - size.width >= 0)
    left = parentWindow.left - size.width;
  return MoveOntoScreen(Rect::FromSize(left, itemTop - firstRowOffset, size.width, size.height));
}

Point PointOf(LPARAM lParam) {
  return {static_cast<std::int16_t>(lParam & 0xFFFF),
          static_cast<std::int16_t>((lParam >> 16) & 0xFFFF)};
}

bool IsKeyMessage(std::uint32_t message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR ||
         message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

bool IsPointerMessage(std::uint32_t message) {
  return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_MOUSEMOVE;
}

// The open levels of one pop-up menu, the first level first, and what the keys and the
// pointer do to them.
class MenuTracker {
 public:
  MenuTracker(const Menu& menu, Point rightTop, bool selectFirst) {
    const Hwnd root =
        CreateMenuWindow(menu.items, PlaceMenu(MenuWindowSize(menu.items), rightTop), "");
    if (!root)
      return;
    levels_.push_back(root);
    if (selectFirst)
      Step(root, +1);
  }
  ~MenuTracker() {
    for (auto it = levels_.rbegin(); it != levels_.rend(); ++it)
      DestroyWindow(*it);
  }
  MenuTracker(const MenuTracker&) = delete;
  MenuTracker& operator=(const MenuTracker&) = delete;

  Hwnd Root() const { return levels_.empty() ? Hwnd{} : levels_.front(); }
  bool Finished() const { return finished_ || !IsWindow(Root()); }
  int Chosen() const { return chosen_; }

  // Takes every key and pointer message while the menu is open, whichever window it is
  // for: nothing under the menu gets input meanwhile.
  bool Filter(const Message& m) {
    if (!IsKeyMessage(m.message) && !IsPointerMessage(m.message))
      return false;
    ForgetClosedLevels();
    if (levels_.empty())
      return true;
    if (m.message == WM_KEYDOWN) {
      OnKey(m.wParam);
    } else if (m.message == WM_LBUTTONDOWN) {
      OnButtonDown(m.hwnd, PointOf(m.lParam));
    } else if (m.message == WM_MOUSEMOVE) {
      PointAt(HitTest(m.hwnd, PointOf(m.lParam)));
    } else if (m.message == WM_LBUTTONUP) {
      OnButtonUp(m.hwnd, PointOf(m.lParam));
    }
    return true;
  }

 private:
  std::vector<Hwnd> levels_;
  bool finished_ = false;
  int chosen_ = 0;

  // A level somebody else closed takes the levels opened from it along.
  void ForgetClosedLevels() {
    for (std::size_t i = 0; i < levels_.size(); ++i) {
      if (!IsWindow(levels_[i])) {
        CloseLevelsAbove(static_cast<int>(i) - 1);
        return;
      }
    }
  }

  void CloseLevelsAbove(int level) {
    while (static_cast<int>(levels_.size()) > level + 1) {
      DestroyWindow(levels_.back());
      levels_.pop_back();
    }
  }

  void Finish(int id) {
    chosen_ = id;
    finished_ = true;
  }

  // Moves the highlight of `window` by one selectable item, wrapping at the ends; from no
  // highlight, down starts at the first item and up at the last.
  static void Step(Hwnd window, int direction) {
    const std::vector<MenuItem>& items = MenuWindowItems(window);
    const int count = static_cast<int>(items.size());
    int index = SelectedMenuItem(window);
    if (index == NO_MENU_ITEM)
      index = direction > 0 ? -1 : count;
    for (int tried = 0; tried < count; ++tried) {
      index = ((index + direction) % count + count) % count;
      if (IsSelectable(items[static_cast<std::size_t>(index)])) {
        SelectMenuItem(window, index);
        return;
      }
    }
  }

  void OpenSubMenu(int level, int index, bool selectFirst) {
    const Hwnd parent = levels_[static_cast<std::size_t>(level)];
    const MenuItem& item = MenuWindowItems(parent)[static_cast<std::size_t>(index)];
    const Rect parentWindow = GetWindowRect(parent);
    const Rect placed = PlaceSubMenu(MenuWindowSize(item.subItems), parentWindow,
                                     MenuItemScreenRect(parent, index).top,
                                     MenuItemScreenRect(parent, 0).top - parentWindow.top);
    const Hwnd sub = CreateMenuWindow(item.subItems, placed, item.text);
    if (!sub)
      return;
    levels_.push_back(sub);
    if (selectFirst)
      Step(sub, +1);
  }

  // What choosing an item does: a sub-menu opens, any other item ends the menu.
  void Activate(int level, int index, bool selectFirst) {
    const Hwnd window = levels_[static_cast<std::size_t>(level)];
    const MenuItem& item = MenuWindowItems(window)[static_cast<std::size_t>(index)];
    CloseLevelsAbove(level);
    SelectMenuItem(window, index);
    if (HasSubMenu(item)) {
      OpenSubMenu(level, index, selectFirst);
    } else {
      Finish(item.id);
    }
  }

  // Several items sharing a letter take turns at the highlight; a single one is chosen.
  void OnMnemonic(int level, std::uint32_t key) {
    const Hwnd window = levels_[static_cast<std::size_t>(level)];
    const std::vector<MenuItem>& items = MenuWindowItems(window);
    std::vector<int> matches;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (IsSelectable(items[i]) && MenuMnemonicKey(items[i]) == key)
        matches.push_back(static_cast<int>(i));
    }
    if (matches.size() == 1) {
      Activate(level, matches.front(), true);
      return;
    }
    if (matches.empty())
      return;
    const int selected = SelectedMenuItem(window);
    auto next = std::upper_bound(matches.begin(), matches.end(), selected);
    SelectMenuItem(window, next == matches.end() ? matches.front() : *next);
  }

  void OnKey(WPARAM key) {
    const int level = static_cast<int>(levels_.size()) - 1;
    const Hwnd window = levels_.back();
    const int selected = SelectedMenuItem(window);
    switch (key) {
      case VK_DOWN:
      case VK_UP:
        Step(window, key == VK_DOWN ? +1 : -1);
        return;
      case VK_RIGHT:
        if (selected != NO_MENU_ITEM &&
            HasSubMenu(MenuWindowItems(window)[static_cast<std::size_t>(selected)]))
          Activate(level, selected, true);
        return;
      case VK_RETURN:
        if (selected != NO_MENU_ITEM)
          Activate(level, selected, true);
        return;
      case VK_LEFT:
        if (level > 0)
          CloseLevelsAbove(level - 1);
        return;
      case VK_ESCAPE:
        if (level == 0) {
          Finish(0);
        } else {
          CloseLevelsAbove(level - 1);
        }
        return;
      default:
        OnMnemonic(level, static_cast<std::uint32_t>(key));
    }
  }

  struct Hit {
    int level = -1;
    int index = NO_MENU_ITEM;
  };

  // The open level and item under a point given in `window`'s client coordinates; pointer
  // messages go to the window that took the press, which need not be the one under them.
  Hit HitTest(Hwnd window, Point client) const {
    if (!IsWindow(window))
      return {};
    const Point screen = ClientToScreen(window, client);
    for (int level = static_cast<int>(levels_.size()) - 1; level >= 0; --level) {
      const Hwnd menu = levels_[static_cast<std::size_t>(level)];
      if (!GetWindowRect(menu).Contains(screen))
        continue;
      const Point origin = ClientToScreen(menu, {0, 0});
      return {level, MenuItemAt(menu, {screen.x - origin.x, screen.y - origin.y})};
    }
    return {};
  }

  // The pointer on an item highlights it and opens its sub-menu.
  void PointAt(const Hit& hit) {
    if (hit.index == NO_MENU_ITEM)
      return;
    const Hwnd window = levels_[static_cast<std::size_t>(hit.level)];
    const MenuItem& item = MenuWindowItems(window)[static_cast<std::size_t>(hit.index)];
    if (!IsSelectable(item))
      return;
    const bool subMenuOpen = static_cast<int>(levels_.size()) > hit.level + 1;
    if (SelectedMenuItem(window) == hit.index && (subMenuOpen || !HasSubMenu(item)))
      return;
    CloseLevelsAbove(hit.level);
    SelectMenuItem(window, hit.index);
    if (HasSubMenu(item))
      OpenSubMenu(hit.level, hit.index, false);
  }

  // A press outside every level ends the menu.
  void OnButtonDown(Hwnd window, Point client) {
    const Hit hit = HitTest(window, client);
    if (hit.level < 0) {
      Finish(0);
      return;
    }
    PointAt(hit);
  }

  // The release over the highlighted item chooses it: a press there, or a drag to it.
  void OnButtonUp(Hwnd window, Point client) {
    const Hit hit = HitTest(window, client);
    if (hit.index == NO_MENU_ITEM)
      return;
    const Hwnd menu = levels_[static_cast<std::size_t>(hit.level)];
    const MenuItem& item = MenuWindowItems(menu)[static_cast<std::size_t>(hit.index)];
    if (hit.index == SelectedMenuItem(menu) && IsSelectable(item) && !HasSubMenu(item))
      Finish(item.id);
  }
};

}  // namespace

void RegisterMenu(int resourceId, Menu menu) {
  Registry()[resourceId] = std::move(menu);
}

const Menu* FindMenu(int resourceId) {
  const auto it = Registry().find(resourceId);
  return it != Registry().end() ? &it->second : nullptr;
}

int TrackPopupMenu(const Menu& menu, Point rightTop, Hwnd owner) {
  RequireUiThread();
  if (menu.items.empty())
    return 0;
  // A menu opened while the pointer is pressed is the pointer's; any other is the keys'.
  const bool fromKeyboard = !State().pointerTarget;
  const Hwnd previousFocus = GetFocus();
  int chosen = 0;
  {
    MenuTracker tracker(menu, rightTop, fromKeyboard);
    if (tracker.Root()) {
      // The filter blocks the input of every other window. A ModalInputBlock would not do:
      // a disabled window's clicks are dropped before any filter sees them, and a click
      // outside must end the menu.
      SetFocus(tracker.Root());
      RunModalLoop([&] { return tracker.Finished() || (owner && !IsWindow(owner)); },
                   [&](const Message& m) { return tracker.Filter(m); });
      chosen = tracker.Finished() ? tracker.Chosen() : 0;
    }
  }
  SetFocus(IsWindow(previousFocus) ? previousFocus : owner);
  if (chosen != 0 && IsWindow(owner))
    PostMessage(owner, WM_COMMAND, MakeWParam(static_cast<std::uint16_t>(chosen), 0));
  return chosen;
}

}  // namespace platform
