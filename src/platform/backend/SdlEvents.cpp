#include "platform/backend/SdlEvents.h"

#include <string_view>

#include "platform/backend/EventBuilders.h"
#include "platform/backend/SdlKeys.h"
#include "platform/gfx/Utf8.h"

namespace platform {
namespace {

void TranslateKey(const SDL_KeyboardEvent& key, std::vector<InputEvent>& out) {
  const std::uint32_t virtualKey = VirtualKeyFromSdl(key.keysym.sym);
  if (virtualKey == 0) {
    return;
  }
  const bool down = key.type == SDL_KEYDOWN;
  const bool shift = (key.keysym.mod & KMOD_SHIFT) != 0;
  const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
  out.push_back(KeyEvent(down ? InputKind::KeyDown : InputKind::KeyUp, virtualKey, shift, alt));
  if (const char32_t control = ControlCharacterOf(virtualKey); down && control != 0) {
    out.push_back(CharEvent(control, shift, alt));
  }
}

void TranslateText(const SDL_TextInputEvent& input, std::vector<InputEvent>& out) {
  // The buffer is NUL-terminated within its fixed size; never look past either.
  const std::string_view whole(input.text, sizeof(input.text));
  const std::string_view text = whole.substr(0, whole.find('\0'));
  std::size_t pos = 0;
  while (pos < text.size()) {
    out.push_back(CharEvent(DecodeUtf8(text, pos)));
  }
}

void TranslateButton(const SDL_MouseButtonEvent& button, const Letterbox& letterbox,
                     std::vector<InputEvent>& out) {
  if (button.button != SDL_BUTTON_LEFT) {
    return;
  }
  const Point window{button.x, button.y};
  if (button.type == SDL_MOUSEBUTTONDOWN) {
    // A press on the black border around the picture hits nothing.
    if (const auto screen = letterbox.ToScreen(window)) {
      out.push_back(PointerEvent(InputKind::ButtonDown, *screen));
    }
  } else {
    // A release always arrives, so that whatever took the press is let go.
    out.push_back(PointerEvent(InputKind::ButtonUp, letterbox.ToScreenClamped(window)));
  }
}

// Only a drag matters (a scroll thumb, say): motion with the button up is dropped.
void TranslateMotion(const SDL_MouseMotionEvent& motion, const Letterbox& letterbox,
                     std::vector<InputEvent>& out) {
  if ((motion.state & SDL_BUTTON_LMASK) != 0) {
    out.push_back(
        PointerEvent(InputKind::PointerMove, letterbox.ToScreenClamped({motion.x, motion.y})));
  }
}

}  // namespace

void TranslateSdlEvent(const SDL_Event& event, const Letterbox& letterbox,
                       std::vector<InputEvent>& out) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key, out);
      break;
    case SDL_TEXTINPUT:
      TranslateText(event.text, out);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      TranslateButton(event.button, letterbox, out);
      break;
    case SDL_MOUSEMOTION:
      TranslateMotion(event.motion, letterbox, out);
      break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        out.push_back(QuitEvent());
      }
      break;
    case SDL_QUIT:
      out.push_back(QuitEvent());
      break;
    default:
      break;
  }
}

}  // namespace platform
