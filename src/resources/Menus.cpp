#include "resources/Menus.h"

#include <vector>

#include "platform/ui/Menu.h"

namespace gradlog {

namespace {

using platform::Menu;
using platform::MenuItem;

enum class Track { None, External, Ascii };

// The command ids differ between the menus with and without a data file.
struct MenuIds {
  int scaleMap, scaleProfile, mapOptions, profileOptions, speedBar, gpsWarning, toggleView,
      externalFile, asciiFile, hideMenu;
};

constexpr MenuIds FILE_OPEN_IDS{45, 46, 57, 58, 60, 63, 49, 53, 54, 56};
constexpr MenuIds NO_FILE_IDS{72, 73, 83, 84, 85, 88, 76, 79, 80, 82};

MenuItem Separator() {
  return {.separator = true};
}

// Every menu is one pop-up "&File"; the program shows its items.
Menu BuildMenu(bool fileOpen, Track track) {
  const MenuIds& ids = fileOpen ? FILE_OPEN_IDS : NO_FILE_IDS;
  std::vector<MenuItem> items;
  if (fileOpen) {
    items = {{"New &Line", 42}, {"&New Station", 43}, {"&Comment", 44}, Separator()};
  }
  items.push_back({"&Scale Map", ids.scaleMap});
  items.push_back({"Scale &Profile", ids.scaleProfile});
  items.push_back({.text = "Displa&y Options",
                   .subItems = {{"M&ap", ids.mapOptions},
                                {"P&rofile", ids.profileOptions},
                                {"Speed &Bar", ids.speedBar},
                                {"GPS &Warning", ids.gpsWarning}}});
  items.push_back({"&Toggle View", ids.toggleView});
  items.push_back(Separator());
  switch (track) {
    case Track::None:
      items.push_back({"&External File", ids.externalFile});
      items.push_back({"ASC&II File", ids.asciiFile});
      break;
    case Track::External:
      items.push_back({"Remove &External File", ids.externalFile});
      break;
    case Track::Ascii:
      items.push_back({"Remove ASC&II File", ids.asciiFile});
      break;
  }
  items.push_back({"&Hide Menu", ids.hideMenu});
  return {{{.text = "&File", .subItems = std::move(items)}}};
}

}  // namespace

void RegisterMenus() {
  platform::RegisterMenu(MENU_FILE_OPEN, BuildMenu(true, Track::None));
  platform::RegisterMenu(MENU_FILE_OPEN_EXTERNAL, BuildMenu(true, Track::External));
  platform::RegisterMenu(MENU_FILE_OPEN_ASCII, BuildMenu(true, Track::Ascii));
  platform::RegisterMenu(MENU_NO_FILE, BuildMenu(false, Track::None));
  platform::RegisterMenu(MENU_NO_FILE_EXTERNAL, BuildMenu(false, Track::External));
  platform::RegisterMenu(MENU_NO_FILE_ASCII, BuildMenu(false, Track::Ascii));
}

}  // namespace gradlog
