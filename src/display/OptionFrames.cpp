#include "display/OptionFrames.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr int CORNER_RADIUS = 3;

}  // namespace

void OutlineFrame(DeviceContext& dc, const Rect& frame) {
  dc.SelectBrush(GetStockBrush(StockObject::NullBrush));
  dc.Rectangle(frame.left, frame.top, frame.right, frame.bottom);
}

void CornerDot(DeviceContext& dc, Point centre) {
  dc.Ellipse(centre.x - CORNER_RADIUS, centre.y - CORNER_RADIUS, centre.x + CORNER_RADIUS + 1,
             centre.y + CORNER_RADIUS + 1);
}

}  // namespace gradlog
