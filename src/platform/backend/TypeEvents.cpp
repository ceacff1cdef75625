#include "platform/backend/EventBuilders.h"
#include "platform/backend/Script.h"
#include "platform/backend/VirtualKeys.h"
#include "platform/gfx/Utf8.h"

namespace platform {

std::vector<InputEvent> TypeEvents(std::string_view text) {
  std::vector<InputEvent> events;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t character = DecodeUtf8(text, pos);
    if (character >= U'A' && character <= U'Z') {
      // Shift is held around the letter and released after it, as a person types it.
      events.push_back(KeyEvent(InputKind::KeyDown, VK_SHIFT, true));
      AppendKeyPress(events, character, character, true);
      events.push_back(KeyEvent(InputKind::KeyUp, VK_SHIFT));
    } else if (const std::uint32_t virtualKey = VirtualKeyForCharacter(character);
               virtualKey != 0) {
      AppendKeyPress(events, virtualKey, character, false);
    } else {
      events.push_back(CharEvent(character));
    }
  }
  return events;
}

}  // namespace platform
