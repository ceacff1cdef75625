#include "platform/gfx/Raster.h"

#include <algorithm>

namespace platform::raster {

int ClampCoord(long long value) {
  return static_cast<int>(std::clamp<long long>(value, -COORD_LIMIT, COORD_LIMIT));
}

Point ToDevice(Point origin, int x, int y) {
  return {ClampCoord(static_cast<long long>(x) + origin.x),
          ClampCoord(static_cast<long long>(y) + origin.y)};
}

Rect ToDevice(Point origin, int left, int top, int right, int bottom) {
  const Point topLeft = ToDevice(origin, left, top);
  const Point bottomRight = ToDevice(origin, right, bottom);
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void Fill(Surface& surface, const Region& clip, const Rect& rect, Pixel pixel) {
  if (rect.IsEmpty())
    return;
  for (const Rect& piece : clip.Rects()) {
    const Rect part = piece.Intersect(rect);
    if (part.IsEmpty())
      continue;
    for (int y = part.top; y < part.bottom; ++y) {
      std::fill_n(surface.Row(y) + part.left, part.Width(), pixel);
    }
  }
}

void Plot(Surface& surface, const Region& clip, int x, int y, Pixel pixel) {
  if (clip.Contains({x, y}))
    surface.Row(y)[x] = pixel;
}

Region Covered(const Region& clip, const Rect& rect) {
  Region covered = clip;
  covered.Intersect(rect);
  return covered;
}

}  // namespace platform::raster
