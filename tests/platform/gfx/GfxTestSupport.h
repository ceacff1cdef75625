#pragma once

#include <string>
#include <vector>

#include "platform/gfx/DeviceContext.h"

namespace platform::test {

inline constexpr Pixel WHITE = 0xFFFFFF;
inline constexpr Pixel BLACK = 0x000000;

// The pixels of `surface` inside `area` that differ from `background`, as "(x,y)" strings
// so that a failing comparison says which pixel is wrong.
inline std::vector<std::string> PixelsNotEqual(const Surface& surface, Pixel background,
                                               const Rect& area) {
  std::vector<std::string> found;
  const Rect inside = area.Intersect(surface.Bounds());
  for (int y = inside.top; y < inside.bottom; ++y) {
    for (int x = inside.left; x < inside.right; ++x) {
      if (surface.At(x, y) != background) {
        found.push_back("(" + std::to_string(x) + "," + std::to_string(y) + ")");
      }
    }
  }
  return found;
}

inline std::vector<std::string> PixelsNotEqual(const Surface& surface, Pixel background) {
  return PixelsNotEqual(surface, background, surface.Bounds());
}

// The pixels differing from `background` outside every rectangle of `allowed`.
inline std::vector<std::string> PixelsOutside(const Surface& surface, Pixel background,
                                              const Region& allowed) {
  std::vector<std::string> found;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      if (surface.At(x, y) != background && !allowed.Contains({x, y})) {
        found.push_back("(" + std::to_string(x) + "," + std::to_string(y) + ")");
      }
    }
  }
  return found;
}

inline DeviceContext WholeSurface(Surface& surface, Point origin = {0, 0}) {
  return DeviceContext(surface, origin, Region(surface.Bounds()));
}

}  // namespace platform::test
