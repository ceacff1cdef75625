#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/backend/InputEvent.h"

namespace platform::eventtext {

using Events = std::vector<std::string>;

// Events as short text, so that a mismatch shows which event differs and how.
inline std::string Describe(const InputEvent& e) {
  const char* const kinds[] = {"down", "up", "char", "press", "release", "quit", "move"};
  const char* const kind = kinds[static_cast<int>(e.kind)];
  char buffer[64];
  if (e.kind == InputKind::ButtonDown || e.kind == InputKind::ButtonUp ||
      e.kind == InputKind::PointerMove) {
    std::snprintf(buffer, sizeof(buffer), "%s %d,%d", kind, e.position.x, e.position.y);
  } else {
    const bool isChar = e.kind == InputKind::Char;
    std::snprintf(buffer, sizeof(buffer), "%s %X%s%s", kind,
                  static_cast<unsigned>(isChar ? e.character : e.virtualKey),
                  e.shift ? "+shift" : "", e.alt ? "+alt" : "");
  }
  return buffer;
}

inline Events Describe(const std::vector<InputEvent>& events) {
  Events out;
  for (const InputEvent& e : events) {
    out.push_back(Describe(e));
  }
  return out;
}

inline std::string Down(std::uint32_t vk, bool shift = false, bool alt = false) {
  return Describe({InputKind::KeyDown, vk, 0, {}, shift, alt});
}
inline std::string Up(std::uint32_t vk, bool shift = false, bool alt = false) {
  return Describe({InputKind::KeyUp, vk, 0, {}, shift, alt});
}
inline std::string Char(char32_t c, bool shift = false) {
  return Describe({InputKind::Char, 0, c, {}, shift, false});
}
inline std::string Press(int x, int y) {
  return Describe({InputKind::ButtonDown, 0, 0, {x, y}});
}
inline std::string Release(int x, int y) {
  return Describe({InputKind::ButtonUp, 0, 0, {x, y}});
}
inline std::string Move(int x, int y) {
  return Describe({InputKind::PointerMove, 0, 0, {x, y}});
}
inline const std::string QUIT = Describe({InputKind::Quit});

}  // namespace platform::eventtext
