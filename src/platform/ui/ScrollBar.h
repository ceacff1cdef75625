#pragma once

#include "platform/gfx/DeviceContext.h"
#include "platform/ui/ControlDrawing.h"

namespace platform {

// The vertical scroll bar of the list controls: two arrow buttons, the track between them
// and a thumb whose length shows how much of the list is visible. The owner keeps the
// numbers (lines in all, lines visible, the top line) and asks this for geometry, hits and
// painting; nothing is kept between calls.

inline constexpr int SCROLL_BAR_WIDTH = 13;

enum class ScrollBarPart { None, UpArrow, PageUp, Thumb, PageDown, DownArrow };

class VerticalScrollBar {
 public:
  VerticalScrollBar(const Rect& bounds, int total, int visible, int position);

  // False when everything fits: the arrows are drawn grey and there is no thumb.
  bool IsActive() const { return MaxPosition() > 0; }
  int MaxPosition() const;
  Rect UpArrow() const;
  Rect DownArrow() const;
  Rect Track() const;
  Rect Thumb() const;  // empty when inactive or when the track has no room for it
  ScrollBarPart HitTest(Point p) const;
  // The top line while the thumb is dragged with the pointer `grab` pixels below its top.
  int PositionForDrag(int pointerY, int grab) const;
  void Paint(DeviceContext& dc) const;

 private:
  int ArrowHeight() const;
  int ThumbLength() const;

  Rect bounds_;
  int total_;
  int visible_;
  int position_;
};

}  // namespace platform
