#include "platform/gfx/DeviceContext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform/gfx/Raster.h"

namespace platform {

namespace {

// Wider pens than this are taken as this wide: nothing on a 320 x 240 screen needs more,
// and it keeps the pen's square within exact integer range.
constexpr int MAX_PEN_WIDTH = 1024;

bool Outlines(const PenHandle& pen) {
  return pen && pen->style != PenStyle::Null;
}
bool Fills(const BrushHandle& brush) {
  return brush && !brush->hollow;
}
int WidthOf(const Pen& pen) {
  return std::clamp(pen.width, 1, MAX_PEN_WIDTH);
}

// The square a pen of `width` covers when centred on (x, y): for width 2 it reaches one
// pixel up and left, for width 3 one pixel on every side.
Rect PenSquare(int x, int y, int width) {
  const int half = width / 2;
  return Rect::FromSize(x - half, y - half, width, width);
}

// A line as the pixels nearest to the ideal line, one per step along the major axis,
// leaving out the end point. Each step's pixel is computed directly, so only the steps
// that can reach the clip (grown by the pen width) are visited, however long the line is.
void StampLine(Surface& surface, const Region& clip, Point from, Point to, const Pen& pen) {
  const int width = WidthOf(pen);
  const Pixel pixel = ToPixel(pen.color);
  const Rect reach = clip.Bounds();
  const long long dx = static_cast<long long>(to.x) - from.x;
  const long long dy = static_cast<long long>(to.y) - from.y;
  const bool alongX = std::llabs(dx) >= std::llabs(dy);
  const long long major = alongX ? std::llabs(dx) : std::llabs(dy);
  const long long minor = alongX ? std::llabs(dy) : std::llabs(dx);
  if (major == 0)
    return;
  const int majorStart = alongX ? from.x : from.y;
  const int majorStep = (alongX ? dx : dy) > 0 ? 1 : -1;
  const int minorStart = alongX ? from.y : from.x;
  const int minorStep = (alongX ? dy : dx) > 0 ? 1 : -1;
  const long long low = static_cast<long long>(alongX ? reach.left : reach.top) - width;
  const long long high = static_cast<long long>(alongX ? reach.right : reach.bottom) + width;
  long long first = majorStep > 0 ? low - majorStart : majorStart - high;
  long long last = majorStep > 0 ? high - majorStart : majorStart - low;
  first = std::max(first, 0LL);
  last = std::min(last, major - 1);
  if (minor == 0) {
    // Straight along an axis: the stamps make one rectangle, filled at once.
    if (first > last)
      return;
    const int a = static_cast<int>(majorStart + majorStep * first);
    const int b = static_cast<int>(majorStart + majorStep * last);
    const Rect from = alongX ? PenSquare(std::min(a, b), minorStart, width)
                             : PenSquare(minorStart, std::min(a, b), width);
    const Rect to = alongX ? PenSquare(std::max(a, b), minorStart, width)
                           : PenSquare(minorStart, std::max(a, b), width);
    raster::Fill(surface, clip, {from.left, from.top, to.right, to.bottom}, pixel);
    return;
  }
  for (long long i = first; i <= last; ++i) {
    const int along = static_cast<int>(majorStart + majorStep * i);
    const int across =
        static_cast<int>(minorStart + minorStep * ((2 * i * minor + major) / (2 * major)));
    const int x = alongX ? along : across;
    const int y = alongX ? across : along;
    if (width == 1) {
      raster::Plot(surface, clip, x, y, pixel);
    } else {
      raster::Fill(surface, clip, PenSquare(x, y, width), pixel);
    }
  }
}

// The columns [x0, x1) of row y inside the ellipse centred on (cx, cy) with radii rx, ry.
bool EllipseSpan(double cx, double cy, double rx, double ry, int y, int& x0, int& x1) {
  if (rx <= 0 || ry <= 0)
    return false;
  const double v = (y - cy) / ry;
  const double q = 1.0 - v * v;
  if (q < 0)
    return false;
  // The tolerance keeps exact boundary pixels in despite rounding, so shapes stay symmetric.
  constexpr double TOLERANCE = 1e-9;
  const double half = rx * std::sqrt(q);
  x0 = static_cast<int>(std::ceil(cx - half - TOLERANCE));
  x1 = static_cast<int>(std::floor(cx + half + TOLERANCE)) + 1;
  return x0 < x1;
}

Rect Normalised(Rect r) {
  if (r.left > r.right)
    std::swap(r.left, r.right);
  if (r.top > r.bottom)
    std::swap(r.top, r.bottom);
  return r;
}

}  // namespace

DeviceContext::DeviceContext(Surface& surface, Point origin, Region clip)
    : surface_(&surface), origin_(origin), clip_(std::move(clip)) {
  clip_.Intersect(surface.Bounds());
  state_.pen = BlackPen();
  state_.brush = GetStockBrush(StockObject::WhiteBrush);
  state_.font = SystemFont();
}

PenHandle DeviceContext::SelectPen(PenHandle pen) {
  return std::exchange(state_.pen, std::move(pen));
}

BrushHandle DeviceContext::SelectBrush(BrushHandle brush) {
  return std::exchange(state_.brush, std::move(brush));
}

FontHandle DeviceContext::SelectFont(FontHandle font) {
  return std::exchange(state_.font, std::move(font));
}

Color DeviceContext::SetTextColor(Color color) {
  return std::exchange(state_.textColor, color);
}

Color DeviceContext::SetBackgroundColor(Color color) {
  return std::exchange(state_.backgroundColor, color);
}

BackgroundMode DeviceContext::SetBackgroundMode(BackgroundMode mode) {
  return std::exchange(state_.backgroundMode, mode);
}

void DeviceContext::MoveTo(int x, int y) {
  state_.position = {x, y};
}

void DeviceContext::LineTo(int x, int y) {
  if (Outlines(state_.pen)) {
    StampLine(*surface_, clip_, raster::ToDevice(origin_, state_.position.x, state_.position.y),
              raster::ToDevice(origin_, x, y), *state_.pen);
  }
  state_.position = {x, y};
}

void DeviceContext::Polyline(std::span<const Point> points) {
  if (points.empty())
    return;
  MoveTo(points.front().x, points.front().y);
  for (const Point& p : points.subspan(1))
    LineTo(p.x, p.y);
}

void DeviceContext::Rectangle(int left, int top, int right, int bottom) {
  const Rect box = Normalised(raster::ToDevice(origin_, left, top, right, bottom));
  if (box.IsEmpty())
    return;
  if (Fills(state_.brush)) {
    raster::Fill(*surface_, clip_, box, ToPixel(state_.brush->color));
    surface_->Trace().DropCovered(raster::Covered(clip_, box));
  }
  if (!Outlines(state_.pen))
    return;
  // Each side is the pen's square swept along the outermost row or column of the box.
  const int width = WidthOf(*state_.pen);
  const Pixel pixel = ToPixel(state_.pen->color);
  const Rect topLeft = PenSquare(box.left, box.top, width);
  const Rect bottomRight = PenSquare(box.right - 1, box.bottom - 1, width);
  const Rect sides[] = {
      {topLeft.left, topLeft.top, bottomRight.right, topLeft.bottom},
      {topLeft.left, bottomRight.top, bottomRight.right, bottomRight.bottom},
      {topLeft.left, topLeft.top, topLeft.right, bottomRight.bottom},
      {bottomRight.left, topLeft.top, bottomRight.right, bottomRight.bottom},
  };
  for (const Rect& side : sides)
    raster::Fill(*surface_, clip_, side, pixel);
}

void DeviceContext::Ellipse(int left, int top, int right, int bottom) {
  const Rect box = Normalised(raster::ToDevice(origin_, left, top, right, bottom));
  if (box.IsEmpty())
    return;
  const bool outline = Outlines(state_.pen);
  const bool fill = Fills(state_.brush);
  if (!outline && !fill)
    return;
  // Pixel centres: a box of width 7 has its centre on its fourth column, radius 3.5.
  const double cx = (box.left + box.right - 1) / 2.0;
  const double cy = (box.top + box.bottom - 1) / 2.0;
  const double rx = box.Width() / 2.0;
  const double ry = box.Height() / 2.0;
  const int ring = outline ? WidthOf(*state_.pen) : 0;
  const Pixel penPixel = outline ? ToPixel(state_.pen->color) : 0;
  const Pixel brushPixel = fill ? ToPixel(state_.brush->color) : 0;
  const Rect rows = box.Intersect(clip_.Bounds());
  for (int y = rows.top; y < rows.bottom; ++y) {
    int x0 = 0;
    int x1 = 0;
    if (!EllipseSpan(cx, cy, rx, ry, y, x0, x1))
      continue;
    int in0 = 0;
    int in1 = 0;
    if (!EllipseSpan(cx, cy, rx - ring, ry - ring, y, in0, in1))
      in0 = in1 = x0;
    if (fill)
      raster::Fill(*surface_, clip_, {in0, y, in1, y + 1}, brushPixel);
    if (outline) {
      raster::Fill(*surface_, clip_, {x0, y, in0, y + 1}, penPixel);
      raster::Fill(*surface_, clip_, {in1, y, x1, y + 1}, penPixel);
    }
  }
  if (fill)
    surface_->Trace().DropCovered(raster::Covered(clip_, box));
}

void DeviceContext::FillRect(const Rect& rect, const BrushHandle& brush) {
  if (!Fills(brush))
    return;
  const Rect box = raster::ToDevice(origin_, rect.left, rect.top, rect.right, rect.bottom);
  if (box.IsEmpty())
    return;
  raster::Fill(*surface_, clip_, box, ToPixel(brush->color));
  surface_->Trace().DropCovered(raster::Covered(clip_, box));
}

void DeviceContext::SetPixel(int x, int y, Color color) {
  const Point p = raster::ToDevice(origin_, x, y);
  raster::Plot(*surface_, clip_, p.x, p.y, ToPixel(color));
}

Color DeviceContext::GetPixel(int x, int y) const {
  const Point p = raster::ToDevice(origin_, x, y);
  if (!surface_->Bounds().Contains(p))
    return 0xFFFFFFFF;
  return FromPixel(surface_->At(p.x, p.y));
}

}  // namespace platform
