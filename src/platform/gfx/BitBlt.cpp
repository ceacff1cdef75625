#include <cstring>
#include <memory>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Raster.h"

namespace platform {

namespace {

Rect BlockAt(Point corner, int width, int height) {
  return {corner.x, corner.y, raster::ClampCoord(static_cast<long long>(corner.x) + width),
          raster::ClampCoord(static_cast<long long>(corner.y) + height)};
}

// A block moved within one surface: row by row in the order that reads each source row before
// it is overwritten, each row with memmove, which copies overlapping spans right. The common
// case of a scroll in an uncovered window, and the cheapest.
void MoveRowsWithin(Surface& surface, const Rect& target, int dx, int dy) {
  const auto bytes = sizeof(Pixel) * static_cast<std::size_t>(target.Width());
  const auto copyRow = [&](int row) {
    std::memmove(surface.Row(row) + target.left, surface.Row(row - dy) + (target.left - dx), bytes);
  };
  if (dy > 0) {
    for (int row = target.bottom - 1; row >= target.top; --row)
      copyRow(row);
  } else {
    for (int row = target.top; row < target.bottom; ++row)
      copyRow(row);
  }
}

// The general case: the pieces of `written`, their source read first when it is the same
// surface, so that overlapping blocks copy the original pixels whichever way they move.
void CopyPieces(Surface& surface, const Surface& from, const Region& written, int dx, int dy) {
  const Rect bounds = written.Bounds();
  std::unique_ptr<Pixel[]> snapshot;
  const Pixel* base = from.Row(0);
  int stride = from.Width();
  Point baseAt{0, 0};
  if (&from == &surface) {
    stride = bounds.Width();
    baseAt = {bounds.left - dx, bounds.top - dy};
    snapshot.reset(new Pixel[static_cast<std::size_t>(stride) * bounds.Height()]);
    for (int row = 0; row < bounds.Height(); ++row) {
      std::memcpy(snapshot.get() + static_cast<std::size_t>(row) * stride,
                  from.Row(baseAt.y + row) + baseAt.x, sizeof(Pixel) * stride);
    }
    base = snapshot.get();
  }
  for (const Rect& piece : written.Rects()) {
    for (int row = piece.top; row < piece.bottom; ++row) {
      const Pixel* in = base + static_cast<std::size_t>(row - dy - baseAt.y) * stride +
                        (piece.left - dx - baseAt.x);
      std::memcpy(surface.Row(row) + piece.left, in, sizeof(Pixel) * piece.Width());
    }
  }
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

  if (&from == surface_ && written.Rects().size() == 1)
    MoveRowsWithin(*surface_, bounds, dx, dy);
  else
    CopyPieces(*surface_, from, written, dx, dy);

  TextTrace moved;
  moved.CopyFrom(from.Trace(), bounds.Offset(-dx, -dy), dx, dy);
  surface_->Trace().DropCovered(written);
  for (const TextTraceEntry& entry : moved.Entries()) {
    surface_->Trace().Record(entry.text, raster::Covered(written, entry.rect));
  }
}

}  // namespace platform
