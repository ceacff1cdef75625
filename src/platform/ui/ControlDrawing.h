#pragma once

#include "platform/gfx/DeviceContext.h"

namespace platform {

// The colours of the classic controls.
inline constexpr Color CONTROL_BLACK = Rgb(0, 0, 0);
inline constexpr Color CONTROL_WHITE = Rgb(255, 255, 255);
inline constexpr Color CONTROL_LIGHT = Rgb(223, 223, 223);
inline constexpr Color CONTROL_FACE = Rgb(192, 192, 192);
inline constexpr Color CONTROL_SHADOW = Rgb(128, 128, 128);

enum class ArrowDirection { Up, Down };

// One pixel of edge: the top and left sides in one colour, the bottom and right in the other.
void DrawEdge(DeviceContext& dc, const Rect& rect, Color topLeft, Color bottomRight);
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
