#include "platform/backend/EventBuilders.h"

#include "platform/backend/VirtualKeys.h"

namespace platform {

InputEvent KeyEvent(InputKind kind, std::uint32_t virtualKey, bool shift, bool alt) {
  InputEvent event;
  event.kind = kind;
  event.virtualKey = virtualKey;
  event.shift = shift;
  event.alt = alt;
  return event;
}

InputEvent CharEvent(char32_t character, bool shift, bool alt) {
  InputEvent event;
  event.kind = InputKind::Char;
  event.character = character;
  event.shift = shift;
  event.alt = alt;
  return event;
}

InputEvent PointerEvent(InputKind kind, Point position) {
  InputEvent event;
  event.kind = kind;
  event.position = position;
  return event;
}

InputEvent QuitEvent() {
  InputEvent event;
  event.kind = InputKind::Quit;
  return event;
}

void AppendKeyPress(std::vector<InputEvent>& out, std::uint32_t virtualKey, char32_t character,
                    bool shift) {
  out.push_back(KeyEvent(InputKind::KeyDown, virtualKey, shift));
  if (character != 0) {
    out.push_back(CharEvent(character, shift));
  }
  out.push_back(KeyEvent(InputKind::KeyUp, virtualKey, shift));
}

std::uint32_t VirtualKeyForCharacter(char32_t character) {
  if (character >= U'a' && character <= U'z') {
    return character - U'a' + U'A';
  }
  if ((character >= U'A' && character <= U'Z') || (character >= U'0' && character <= U'9')) {
    return character;
  }
  switch (character) {
    case U' ':
      return VK_SPACE;
    case U';':
      return VK_OEM_1;
    case U'=':
      return VK_OEM_PLUS;
    case U',':
      return VK_OEM_COMMA;
    case U'-':
      return VK_OEM_MINUS;
    case U'.':
      return VK_OEM_PERIOD;
    case U'/':
      return VK_OEM_2;
    default:
      return 0;
  }
}

}  // namespace platform
