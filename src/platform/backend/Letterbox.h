#pragma once

#include <optional>

#include "platform/gfx/Geometry.h"

namespace platform {

// Where the framebuffer lands in a window or on a whole display: scaled by the largest whole
// factor that fits (at least 1) and centred, the rest left black.
struct Letterbox {
  int scale = 1;
  Rect picture;  // in output pixels

  static Letterbox Fit(Size output, Size screen);
  // The framebuffer pixel under an output pixel; nullopt outside the picture.
  std::optional<Point> ToScreen(Point output) const;
  // The framebuffer pixel nearest to an output pixel, for a release outside the picture.
  Point ToScreenClamped(Point output) const;
};

}  // namespace platform
