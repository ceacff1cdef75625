#pragma once

#include <cstdint>
#include <vector>

#include "platform/backend/InputEvent.h"

namespace platform {

// Events made field by field, so that callers name only what matters for each kind.
InputEvent KeyEvent(InputKind kind, std::uint32_t virtualKey, bool shift = false, bool alt = false);
InputEvent CharEvent(char32_t character, bool shift = false, bool alt = false);
InputEvent PointerEvent(InputKind kind, Point position);
InputEvent QuitEvent();

// Appends key down, the character typed (when `character` is not 0) and key up, all with
// the same shift state.
void AppendKeyPress(std::vector<InputEvent>& out, std::uint32_t virtualKey, char32_t character,
                    bool shift);

// The key that types `character` without shift on a plain keyboard: letters (either case),
// digits, space and the punctuation with its own virtual-key code; 0 for any other.
std::uint32_t VirtualKeyForCharacter(char32_t character);

}  // namespace platform
