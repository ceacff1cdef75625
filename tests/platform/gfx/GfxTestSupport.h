#pragma once

#include <string>
#include <vector>

#include "platform/gfx/DeviceContext.h"

namespace platform::test {

inline constexpr Pixel WHITE = 0xFFFFFF;
inline constexpr Pixel BLACK = 0x000000;

// The pixels differing from `expected`, inside `area` or, with `outside`, outside every
// piece of it; as "(x,y)" strings so that a failure says which pixel is wrong.
inline std::vector<std::string> Changed(const Surface& surface, Pixel expected, const Region& area,
                                        bool outside = false) {
  std::vector<std::string> found;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      if (surface.At(x, y) != expected && area.Contains({x, y}) != outside) {
        found.push_back("(" + std::to_string(x) + "," + std::to_string(y) + ")");
      }
    }
  }
  return found;
}

inline std::vector<std::string> Changed(const Surface& surface, Pixel expected, const Rect& area) {
  return Changed(surface, expected, Region(area));
}

inline std::vector<std::string> Changed(const Surface& surface, Pixel expected) {
  return Changed(surface, expected, surface.Bounds());
}

inline std::vector<std::string> ChangedOutside(const Surface& surface, Pixel expected,
                                               const Region& area) {
  return Changed(surface, expected, area, true);
}

inline DeviceContext WholeSurface(Surface& surface) {
  return DeviceContext(surface, {0, 0}, Region(surface.Bounds()));
}

}  // namespace platform::test
