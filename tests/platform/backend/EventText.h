#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/backend/InputEvent.h"

namespace platform::eventtext {

// Events as short text, so that a mismatch shows which event differs and how.
inline std::string Flags(bool shift, bool alt) {
  return std::string(shift ? "+shift" : "") + (alt ? "+alt" : "");
}

inline std::string Hex(std::uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof(buffer), "%X", value);
  return buffer;
}

inline std::string Down(std::uint32_t virtualKey, bool shift = false, bool alt = false) {
  return "down " + Hex(virtualKey) + Flags(shift, alt);
}
inline std::string Up(std::uint32_t virtualKey, bool shift = false, bool alt = false) {
  return "up " + Hex(virtualKey) + Flags(shift, alt);
}
inline std::string Char(char32_t character, bool shift = false, bool alt = false) {
  return "char U+" + Hex(character) + Flags(shift, alt);
}
inline std::string Press(int x, int y) {
  return "press " + std::to_string(x) + "," + std::to_string(y);
}
inline std::string Release(int x, int y) {
  return "release " + std::to_string(x) + "," + std::to_string(y);
}
inline const std::string QUIT = "quit";

inline std::string Describe(const InputEvent& e) {
  switch (e.kind) {
    case InputKind::KeyDown:
      return Down(e.virtualKey, e.shift, e.alt);
    case InputKind::KeyUp:
      return Up(e.virtualKey, e.shift, e.alt);
    case InputKind::Char:
      return Char(e.character, e.shift, e.alt);
    case InputKind::ButtonDown:
      return Press(e.position.x, e.position.y);
    case InputKind::ButtonUp:
      return Release(e.position.x, e.position.y);
    case InputKind::Quit:
      return QUIT;
  }
  return "unknown kind";
}

inline std::vector<std::string> Describe(const std::vector<InputEvent>& events) {
  std::vector<std::string> out;
  for (const InputEvent& e : events) {
    out.push_back(Describe(e));
  }
  return out;
}

}  // namespace platform::eventtext
