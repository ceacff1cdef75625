#pragma once

#include <SDL2/SDL_keycode.h>

#include <cstdint>

namespace platform {

// The virtual-key code of an SDL key: letters as 'A'..'Z' whatever the case, digits and
// keypad digits as '0'..'9'; 0 for a key the logger has no code for.
std::uint32_t VirtualKeyFromSdl(SDL_Keycode key);

// The control character the classic system sends right after the key-down of Enter, Tab,
// Backspace and Escape (SDL sends no text for them); 0 for any other key.
char32_t ControlCharacterOf(std::uint32_t virtualKey);

}  // namespace platform
