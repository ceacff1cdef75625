#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "platform/gfx/Color.h"
#include "platform/ui/Window.h"

namespace gradlog {

struct ConfigState;
struct DisplayState;

// The profile options window's working state. The channel chosen last is kept from one
// opening to the next.
struct ProfileOptionsState {
  std::array<std::int32_t, 4> channelShownEdit{};
  std::array<std::int32_t, 4> channelThicknessEdit{};
  std::array<std::int32_t, 4> channelColorEdit{};
  std::int32_t profileOptionsChannel = 0;
  std::int32_t profileOptionsFocus = 1;
  std::int32_t profileOptionsSubFocus = 0;
  std::int32_t profileColorRefocus = 0;
  std::array<platform::Color, 16> profileCustomColors{};
  platform::Hwnd window;
  // What the window that opened the options redraws once they close, after OK or Cancel.
  std::function<void()> onClosed;
};

// Registers "DisplayOptionsWnd"; false when the name is taken.
bool RegisterProfileOptionsClass(ConfigState& config, DisplayState& display);

// Opens "Display Options" over the whole screen with the focus; false when it cannot be
// created. OK stores the choices, rebuilds the channel pens and saves the settings; Cancel
// keeps everything. Either way the window is destroyed and then `onClosed` runs.
bool OpenProfileOptionsWindow(ConfigState& config, DisplayState& display,
                              std::function<void()> onClosed);

}  // namespace gradlog
