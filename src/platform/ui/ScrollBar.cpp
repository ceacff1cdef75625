#include "platform/ui/ScrollBar.h"

#include <algorithm>

namespace platform {

namespace {

// Shorter thumbs would be hard to hit with a pen or a finger.
constexpr int MIN_THUMB_LENGTH = 8;
constexpr int TRIANGLE_ROWS = 4;

const Color BLACK = Rgb(0, 0, 0);
const Color WHITE = Rgb(255, 255, 255);
const Color LIGHT = Rgb(223, 223, 223);
const Color FACE = Rgb(192, 192, 192);
const Color SHADOW = Rgb(128, 128, 128);
const Color TRACK = Rgb(224, 224, 224);

void DrawEdge(DeviceContext& dc, const Rect& r, Color topLeft, Color bottomRight) {
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, topLeft));
  dc.MoveTo(r.left, r.bottom - 1);
  dc.LineTo(r.left, r.top);
  dc.LineTo(r.right - 1, r.top);
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, bottomRight));
  dc.LineTo(r.right - 1, r.bottom - 1);
  dc.LineTo(r.left - 1, r.bottom - 1);
}

Rect Inset(const Rect& r, int by) {
  return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

void DrawTriangle(DeviceContext& dc, const Rect& r, ArrowDirection direction, Color color) {
  const int centreX = r.left + r.Width() / 2;
  const int top = r.top + (r.Height() - TRIANGLE_ROWS) / 2;
  for (int row = 0; row < TRIANGLE_ROWS; ++row) {
    // The widest row is at the base: the top for a down arrow, the bottom for an up arrow.
    const int fromBase = direction == ArrowDirection::Down ? row : TRIANGLE_ROWS - 1 - row;
    const int half = TRIANGLE_ROWS - 1 - fromBase;
    for (int x = centreX - half; x <= centreX + half; ++x)
      dc.SetPixel(x, top + row, color);
  }
}

}  // namespace

VerticalScrollBar::VerticalScrollBar(const Rect& bounds, int total, int visible, int position)
    : bounds_(bounds),
      total_(std::max(total, 0)),
      visible_(std::max(visible, 1)),
      position_(std::clamp(position, 0, std::max(total_ - visible_, 0))) {}

int VerticalScrollBar::MaxPosition() const {
  return std::max(total_ - visible_, 0);
}

int VerticalScrollBar::ArrowHeight() const {
  return std::min(SCROLL_BAR_WIDTH, bounds_.Height() / 2);
}

Rect VerticalScrollBar::UpArrow() const {
  return {bounds_.left, bounds_.top, bounds_.right, bounds_.top + ArrowHeight()};
}

Rect VerticalScrollBar::DownArrow() const {
  return {bounds_.left, bounds_.bottom - ArrowHeight(), bounds_.right, bounds_.bottom};
}

Rect VerticalScrollBar::Track() const {
  return {bounds_.left, bounds_.top + ArrowHeight(), bounds_.right, bounds_.bottom - ArrowHeight()};
}

int VerticalScrollBar::ThumbLength() const {
  const int track = Track().Height();
  if (!IsActive() || track < MIN_THUMB_LENGTH)
    return 0;
  return std::clamp(track * visible_ / total_, MIN_THUMB_LENGTH, track);
}

Rect VerticalScrollBar::Thumb() const {
  const int length = ThumbLength();
  if (length == 0)
    return {};
  const Rect track = Track();
  const int free = track.Height() - length;
  const int max = MaxPosition();
  const int top = track.top + (free * position_ + max / 2) / max;
  return {track.left, top, track.right, top + length};
}

ScrollBarPart VerticalScrollBar::HitTest(Point p) const {
  if (!bounds_.Contains(p))
    return ScrollBarPart::None;
  if (UpArrow().Contains(p))
    return ScrollBarPart::UpArrow;
  if (DownArrow().Contains(p))
    return ScrollBarPart::DownArrow;
  if (!IsActive())
    return ScrollBarPart::None;
  const Rect thumb = Thumb();
  if (thumb.IsEmpty()) {
    const Rect track = Track();
    return p.y < track.top + track.Height() / 2 ? ScrollBarPart::PageUp : ScrollBarPart::PageDown;
  }
  if (p.y < thumb.top)
    return ScrollBarPart::PageUp;
  if (p.y >= thumb.bottom)
    return ScrollBarPart::PageDown;
  return ScrollBarPart::Thumb;
}

int VerticalScrollBar::PositionForDrag(int pointerY, int grab) const {
  const int length = ThumbLength();
  const Rect track = Track();
  const int free = track.Height() - length;
  if (length == 0 || free <= 0)
    return position_;
  const int offset = std::clamp(pointerY - grab - track.top, 0, free);
  return (offset * MaxPosition() + free / 2) / free;
}

void VerticalScrollBar::Paint(DeviceContext& dc) const {
  const auto guard = dc.Save();
  const bool active = IsActive();
  DrawArrowButton(dc, UpArrow(), ArrowDirection::Up, active, false);
  DrawArrowButton(dc, DownArrow(), ArrowDirection::Down, active, false);
  const Rect track = Track();
  if (track.IsEmpty())
    return;
  dc.FillRect(track, CreateSolidBrush(active ? TRACK : FACE));
  const Rect thumb = Thumb();
  if (thumb.IsEmpty())
    return;
  dc.FillRect(thumb, CreateSolidBrush(FACE));
  DrawRaisedEdge(dc, thumb);
}

void DrawRaisedEdge(DeviceContext& dc, const Rect& rect) {
  const auto guard = dc.Save();
  DrawEdge(dc, rect, WHITE, BLACK);
  DrawEdge(dc, Inset(rect, 1), LIGHT, SHADOW);
}

void DrawSunkenEdge(DeviceContext& dc, const Rect& rect) {
  const auto guard = dc.Save();
  DrawEdge(dc, rect, SHADOW, WHITE);
  DrawEdge(dc, Inset(rect, 1), BLACK, LIGHT);
}

void DrawFocusRect(DeviceContext& dc, const Rect& rect, Color color) {
  for (int x = rect.left; x < rect.right; x += 2) {
    dc.SetPixel(x, rect.top, color);
    dc.SetPixel(x, rect.bottom - 1, color);
  }
  for (int y = rect.top; y < rect.bottom; y += 2) {
    dc.SetPixel(rect.left, y, color);
    dc.SetPixel(rect.right - 1, y, color);
  }
}

void DrawArrowButton(DeviceContext& dc, const Rect& rect, ArrowDirection direction, bool enabled,
                     bool pressed) {
  if (rect.IsEmpty())
    return;
  const auto guard = dc.Save();
  dc.FillRect(rect, CreateSolidBrush(FACE));
  if (pressed) {
    DrawEdge(dc, rect, SHADOW, SHADOW);
  } else {
    DrawRaisedEdge(dc, rect);
  }
  const Rect face = pressed ? rect.Offset(1, 1) : rect;
  DrawTriangle(dc, face, direction, enabled ? BLACK : SHADOW);
}

}  // namespace platform
