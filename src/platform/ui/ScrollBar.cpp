#include "platform/ui/ScrollBar.h"

#include <algorithm>

namespace platform {

namespace {

// Shorter thumbs would be hard to hit with a pen or a finger.
constexpr int MIN_THUMB_LENGTH = 8;

const Color TRACK = Rgb(224, 224, 224);

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
  dc.FillRect(track, CreateSolidBrush(active ? TRACK : CONTROL_FACE));
  const Rect thumb = Thumb();
  if (thumb.IsEmpty())
    return;
  dc.FillRect(thumb, CreateSolidBrush(CONTROL_FACE));
  DrawRaisedEdge(dc, thumb);
}

}  // namespace platform
