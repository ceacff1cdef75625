#include "display/MapMarks.h"

namespace gradlog {

using namespace platform;

namespace {

void Cross(DeviceContext& dc, std::int32_t x, std::int32_t y, std::int32_t arm) {
  dc.MoveTo(x, y - arm);
  dc.LineTo(x, y + arm + 1);
  dc.MoveTo(x - arm, y);
  dc.LineTo(x + arm + 1, y);
}

void Square(DeviceContext& dc, std::int32_t x, std::int32_t y, std::int32_t half) {
  dc.Rectangle(x - half, y - half, x + half + 1, y + half + 1);
}

}  // namespace

void DrawTrackPoint(DeviceContext& dc, std::int32_t x, std::int32_t y, std::int32_t size,
                    const PenHandle& pen, const BrushHandle& brush, Color color) {
  const auto saved = dc.Save();
  dc.SelectPen(pen);
  dc.SelectBrush(brush);
  switch (size) {
    case 0:
      dc.SetPixel(x, y, color);
      break;
    case 1:
      Cross(dc, x, y, 1);
      break;
    case 2:
      Square(dc, x, y, 1);
      break;
    case 3:
      Cross(dc, x, y, 2);
      Square(dc, x, y, 1);
      break;
    case 4:
      Square(dc, x, y, 2);
      break;
    case 5:
      Cross(dc, x, y, TRACK_POINT_REACH);
      Square(dc, x, y, 2);
      break;
    default:
      break;
  }
}

void DrawPositionMarker(DeviceContext& dc, std::int32_t x, std::int32_t y, std::int32_t half,
                        const PenHandle& pen) {
  const auto saved = dc.Save();
  dc.SelectPen(pen);
  Cross(dc, x, y, half);
}

}  // namespace gradlog
