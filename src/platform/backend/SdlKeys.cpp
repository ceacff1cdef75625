#include "platform/backend/SdlKeys.h"

#include "platform/backend/VirtualKeys.h"

namespace platform {

std::uint32_t VirtualKeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) {
    return static_cast<std::uint32_t>(key - SDLK_a) + 'A';
  }
  if (key >= SDLK_0 && key <= SDLK_9) {
    return static_cast<std::uint32_t>(key - SDLK_0) + '0';
  }
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
    return static_cast<std::uint32_t>(key - SDLK_KP_1) + '1';
  }
  if (key >= SDLK_F1 && key <= SDLK_F12) {
    return static_cast<std::uint32_t>(key - SDLK_F1) + VK_F1;
  }
  switch (key) {
    case SDLK_KP_0:
      return '0';
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER:
      return VK_RETURN;
    case SDLK_TAB:
      return VK_TAB;
    case SDLK_ESCAPE:
      return VK_ESCAPE;
    case SDLK_BACKSPACE:
      return VK_BACK;
    case SDLK_SPACE:
      return VK_SPACE;
    case SDLK_LEFT:
      return VK_LEFT;
    case SDLK_RIGHT:
      return VK_RIGHT;
    case SDLK_UP:
      return VK_UP;
    case SDLK_DOWN:
      return VK_DOWN;
    case SDLK_HOME:
      return VK_HOME;
    case SDLK_END:
      return VK_END;
    case SDLK_PAGEUP:
      return VK_PRIOR;
    case SDLK_PAGEDOWN:
      return VK_NEXT;
    case SDLK_DELETE:
      return VK_DELETE;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
      return VK_MENU;
    case SDLK_SEMICOLON:
      return VK_OEM_1;
    case SDLK_EQUALS:
    case SDLK_KP_EQUALS:
      return VK_OEM_PLUS;
    case SDLK_COMMA:
      return VK_OEM_COMMA;
    case SDLK_MINUS:
    case SDLK_KP_MINUS:
      return VK_OEM_MINUS;
    case SDLK_PERIOD:
    case SDLK_KP_PERIOD:
      return VK_OEM_PERIOD;
    case SDLK_SLASH:
    case SDLK_KP_DIVIDE:
      return VK_OEM_2;
    default:
      return 0;
  }
}

char32_t ControlCharacterOf(std::uint32_t virtualKey) {
  switch (virtualKey) {
    case VK_RETURN:
    case VK_TAB:
    case VK_BACK:
    case VK_ESCAPE:
      // These virtual-key codes are the control characters themselves.
      return virtualKey;
    default:
      return 0;
  }
}

}  // namespace platform
