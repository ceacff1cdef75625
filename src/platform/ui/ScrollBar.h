#pragma once

#include "platform/gfx/DeviceContext.h"

namespace platform {

// The vertical scroll bar of the list controls: two arrow buttons, the track between them
// and a thumb whose length shows how much of the list is visible. The owner keeps the
// numbers (lines in all, lines visible, the top line) and asks this for geometry, hits and
// painting; nothing is kept between calls.

inline constexpr int SCROLL_BAR_WIDTH = 13;

enum class ScrollBarPart { None, UpArrow, PageUp, Thumb, PageDown, DownArrow };
enum class ArrowDirection { Up, Down };

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

// The classic 3-D edges: a raised one (white and black outside, light grey and shadow
// inside) for buttons and thumbs, a sunken one (shadow and black top-left, white and light
// grey bottom-right) for the frame of an edit or a list. Both take two pixels on each side.
void DrawRaisedEdge(DeviceContext& dc, const Rect& rect);
void DrawSunkenEdge(DeviceContext& dc, const Rect& rect);
// The dotted rectangle around the line or field that has the focus.
void DrawFocusRect(DeviceContext& dc, const Rect& rect, Color color);
// A button face with a triangle pointing up or down; grey when disabled, pushed in when
// pressed.
void DrawArrowButton(DeviceContext& dc, const Rect& rect, ArrowDirection direction, bool enabled,
                     bool pressed);

}  // namespace platform
