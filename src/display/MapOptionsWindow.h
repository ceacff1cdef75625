#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "platform/gfx/Color.h"
#include "platform/ui/Window.h"

namespace gradlog {

struct ConfigState;
struct DisplayState;

// The map options window's working state. The focus is kept from one opening to the next.
struct MapOptionsState {
  std::int32_t mapCurrentSizeEdit = 0;
  std::int32_t mapSavedSizeEdit = 0;
  std::int32_t mapExternalSizeEdit = 0;
  std::int32_t mapCurrentColorBackup = 0;
  std::int32_t mapSavedColorBackup = 0;
  std::int32_t mapExternalColorBackup = 0;
  float mapGridIntervalCopy = 0.0f;
  std::int32_t mapOptionsFocus = 0;  // 0 OK, 1 Cancel, 2..4 "Color", 5..7 the size columns
  std::array<platform::Color, 16> customColors{};
  platform::Hwnd window;
  // What the opener does once the window has closed: redraw its map after OK (true), put its
  // picture back after Cancel (false).
  std::function<void(bool accepted)> onClosed;
};

// Registers "DisplayMapOptionsWnd"; false when the name is taken. Start-up creates the window
// hidden, once.
bool RegisterMapOptionsClass(ConfigState& config, DisplayState& display);

// Takes the sizes to edit and the colours to restore from the settings, shows the window over
// the whole screen and gives it the focus. OK stores the sizes, rebuilds the map pens, saves
// the settings and hides the window; Cancel restores sizes, colours and marker and hides it;
// either then runs `onClosed`.
void OpenMapOptionsWindow(ConfigState& config, DisplayState& display,
                          std::function<void(bool accepted)> onClosed);

}  // namespace gradlog
