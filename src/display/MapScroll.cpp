#include "display/MapScroll.h"

#include <algorithm>
#include <cstdlib>

#include "display/MapArea.h"
#include "display/MapGrid.h"

namespace gradlog {

namespace {

// The picture moves left (shift > 0) or right: the kept columns are copied and the strip at
// the other side is left to be drawn.
platform::Rect ScrollColumns(platform::DeviceContext& dc, const platform::Rect& square,
                             std::int32_t shift) {
  const int moved =
      static_cast<int>(std::min<std::int64_t>(std::abs(std::int64_t{shift}), square.Width()));
  const int kept = square.Width() - moved;
  if (shift > 0) {
    dc.BitBlt(square.left, square.top, kept, square.Height(), dc, square.left + moved, square.top);
    return {square.left + kept, square.top, square.right, square.bottom};
  }
  dc.BitBlt(square.left + moved, square.top, kept, square.Height(), dc, square.left, square.top);
  return {square.left, square.top, square.left + moved, square.bottom};
}

platform::Rect ScrollRows(platform::DeviceContext& dc, const platform::Rect& square,
                          std::int32_t shift) {
  const int moved =
      static_cast<int>(std::min<std::int64_t>(std::abs(std::int64_t{shift}), square.Height()));
  const int kept = square.Height() - moved;
  if (shift > 0) {
    dc.BitBlt(square.left, square.top, square.Width(), kept, dc, square.left, square.top + moved);
    return {square.left, square.top + kept, square.right, square.bottom};
  }
  dc.BitBlt(square.left, square.top + moved, square.Width(), kept, dc, square.left, square.top);
  return {square.left, square.top, square.right, square.top + moved};
}

}  // namespace

void ScrollMap(platform::DeviceContext& dc, MapScene& scene, MapAxis axis, std::int32_t shift,
               TrackPoint windowOrigin) {
  MapViewState& view = scene.view;
  const platform::Rect square = SquareOf(view.plotBox);
  platform::Rect strip;
  if (axis == MapAxis::Horizontal) {
    strip = ScrollColumns(dc, square, shift);
    ShiftGridLines(view.grid.x, view.grid.spacing, shift, view.plotBox.left, view.plotBox.right);
  } else {
    strip = ScrollRows(dc, square, shift);
    ShiftGridLines(view.grid.y, view.grid.spacing, shift, view.plotBox.top, view.plotBox.bottom);
  }
  DrawMapArea(dc, scene, strip, windowOrigin);
}

}  // namespace gradlog
