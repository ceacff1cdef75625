#pragma once

#include <cstdint>

namespace platform {

// A window handle: an id that stays invalid once its window is destroyed, so a stale handle
// is never a dangling pointer.
struct Hwnd {
  std::uint32_t value = 0;
  explicit operator bool() const { return value != 0; }
  friend bool operator==(const Hwnd&, const Hwnd&) = default;
};

}  // namespace platform
