#include <cstring>
#include <vector>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Raster.h"

namespace platform {

namespace {

Rect BlockAt(Point corner, int width, int height) {
  return {corner.x, corner.y, raster::ClampCoord(static_cast<long long>(corner.x) + width),
          raster::ClampCoord(static_cast<long long>(corner.y) + height)};
}

}  // namespace

void DeviceContext::BitBlt(int x, int y, int width, int height, const DeviceContext& source, int sx,
                           int sy) {
  if (width <= 0 || height <= 0)
    return;
  const Surface& from = source.Target();
  const Point to = raster::ToDevice(origin_, x, y);
  const Point at = raster::ToDevice(source.Origin(), sx, sy);
  const Rect readable = BlockAt(at, width, height).Intersect(from.Bounds());
  const int dx = to.x - at.x;
  const int dy = to.y - at.y;
  const Rect targetBlock = BlockAt(to, width, height);
  // Pixels with no source pixel behind them are left as they are.
  const Region written = raster::Covered(clip_, readable.Offset(dx, dy).Intersect(targetBlock));
  if (written.IsEmpty())
    return;
  const Rect bounds = written.Bounds();

  // On one surface the source is read before anything is written, so overlapping blocks
  // (a scroll) copy the original pixels whichever way they move.
  std::vector<Pixel> snapshot;
  const Pixel* base = from.Row(0);
  int stride = from.Width();
  Point baseAt{0, 0};
  if (&from == surface_) {
    stride = bounds.Width();
    baseAt = {bounds.left - dx, bounds.top - dy};
    snapshot.resize(static_cast<std::size_t>(stride) * bounds.Height());
    for (int row = 0; row < bounds.Height(); ++row) {
      std::memcpy(snapshot.data() + static_cast<std::size_t>(row) * stride,
                  from.Row(baseAt.y + row) + baseAt.x, sizeof(Pixel) * stride);
    }
    base = snapshot.data();
  }
  for (const Rect& piece : written.Rects()) {
    for (int row = piece.top; row < piece.bottom; ++row) {
      const Pixel* in = base + static_cast<std::size_t>(row - dy - baseAt.y) * stride +
                        (piece.left - dx - baseAt.x);
      std::memcpy(surface_->Row(row) + piece.left, in, sizeof(Pixel) * piece.Width());
    }
  }

  TextTrace moved;
  moved.CopyFrom(from.Trace(), bounds.Offset(-dx, -dy), dx, dy);
  surface_->Trace().DropCovered(written);
  for (const TextTraceEntry& entry : moved.Entries()) {
    surface_->Trace().Record(entry.text, raster::Covered(written, entry.rect));
  }
}

}  // namespace platform
