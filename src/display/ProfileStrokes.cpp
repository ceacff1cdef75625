#include "display/ProfileStrokes.h"

#include <algorithm>

namespace gradlog {

namespace {

// A horizontal line whose pixels fill exactly the columns [left, right): a pen wider than
// one pixel is centred on each point, so both ends move in by the pen's reach.
void HorizontalRow(platform::DeviceContext& dc, const platform::PenHandle& pen, int left, int right,
                   int row) {
  const int width = pen ? std::max(pen->width, 1) : 1;
  const int half = width / 2;
  dc.SelectPen(pen);
  dc.MoveTo(left + half, row);
  dc.LineTo(right + half - width + 1, row);
}

}  // namespace

void DrawGridRows(platform::DeviceContext& dc, const GridRows& grid, bool straddlesZero,
                  const DrawingResources& drawing, int left, int right) {
  const auto guard = dc.Save();
  const int count = std::clamp<int>(grid.count, 0, static_cast<int>(grid.rows.size()));
  for (int i = 0; i < count; ++i) {
    const bool zeroRow = i == 0 && straddlesZero;
    HorizontalRow(dc, zeroRow ? drawing.lightGreyPen : drawing.thinLightGreyPen, left, right,
                  grid.rows[static_cast<std::size_t>(i)]);
  }
}

void DrawCurvePoint(platform::DeviceContext& dc, platform::Point point) {
  dc.MoveTo(point.x, point.y);
  dc.LineTo(point.x + 1, point.y);
}

}  // namespace gradlog
