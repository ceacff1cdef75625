#pragma once

#include <cstdint>

#include "platform/gfx/Geometry.h"

namespace platform {

enum class InputKind { KeyDown, KeyUp, Char, ButtonDown, ButtonUp, Quit, PointerMove };

// One piece of user input as a backend or the script driver delivers it. Keys carry
// virtual-key codes (letters as their upper-case codes); Char carries the character typed;
// pointer events carry screen pixels (the framebuffer's, whatever the presenter's scale).
// PointerMove comes only while the button is held, for dragging.
struct InputEvent {
  InputKind kind = InputKind::KeyDown;
  std::uint32_t virtualKey = 0;
  char32_t character = 0;
  Point position;
  bool shift = false;
  bool alt = false;
};

}  // namespace platform
