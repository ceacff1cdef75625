#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Region.h"
#include "platform/gfx/Surface.h"

// Pixel writes shared by the drawing calls; every one is clipped to a region that the
// caller has already limited to the surface.
namespace platform::raster {

// Device coordinates are kept within this range so that sums and products of them stay
// exact in 64-bit arithmetic, whatever a caller passes in.
inline constexpr int COORD_LIMIT = 1 << 28;

int ClampCoord(long long value);
// Logical (x, y) plus origin, clamped.
Point ToDevice(Point origin, int x, int y);
// The rectangle with corners (left, top) and (right, bottom) in logical coordinates,
// moved by the origin and clamped; not normalised.
Rect ToDevice(Point origin, int left, int top, int right, int bottom);

// Writes `pixel` to every pixel of `rect` inside `clip`.
void Fill(Surface& surface, const Region& clip, const Rect& rect, Pixel pixel);
// Writes one pixel if it lies inside `clip`.
void Plot(Surface& surface, const Region& clip, int x, int y, Pixel pixel);
// The part of `rect` inside `clip`.
Region Covered(const Region& clip, const Rect& rect);

}  // namespace platform::raster
