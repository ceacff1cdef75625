#pragma once

#include <string>
#include <vector>

#include "platform/gfx/DeviceContext.h"

namespace platform::test {

inline constexpr Pixel WHITE = 0xFFFFFF;
inline constexpr Pixel BLACK = 0x000000;

// The pixels differing from `expected` inside `area` (a Rect or a Region; or, with `outside`,
// outside it), as "(x,y)" strings so that a failure says which pixel is wrong.
template <typename Area = Rect>
std::vector<std::string> Changed(const Surface& surface, Pixel expected, const Area& area,
                                 bool outside = false) {
  const Region region(area);
  std::vector<std::string> found;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      if (surface.At(x, y) != expected && region.Contains({x, y}) != outside)
        found.push_back("(" + std::to_string(x) + "," + std::to_string(y) + ")");
    }
  }
  return found;
}

inline DeviceContext WholeSurface(Surface& surface) {
  return DeviceContext(surface, {0, 0}, Region(surface.Bounds()));
}

}  // namespace platform::test
