#include "platform/ui/ControlDrawing.h"

namespace platform {

namespace {

constexpr int TRIANGLE_ROWS = 4;

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

void DrawEdge(DeviceContext& dc, const Rect& r, Color topLeft, Color bottomRight) {
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, topLeft));
  dc.MoveTo(r.left, r.bottom - 1);
  dc.LineTo(r.left, r.top);
  dc.LineTo(r.right - 1, r.top);
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, bottomRight));
  dc.LineTo(r.right - 1, r.bottom - 1);
  dc.LineTo(r.left - 1, r.bottom - 1);
}

void DrawRaisedEdge(DeviceContext& dc, const Rect& rect) {
  const auto guard = dc.Save();
  DrawEdge(dc, rect, CONTROL_WHITE, CONTROL_BLACK);
  DrawEdge(dc, Inset(rect, 1), CONTROL_LIGHT, CONTROL_SHADOW);
}

void DrawSunkenEdge(DeviceContext& dc, const Rect& rect) {
  const auto guard = dc.Save();
  DrawEdge(dc, rect, CONTROL_SHADOW, CONTROL_WHITE);
  DrawEdge(dc, Inset(rect, 1), CONTROL_BLACK, CONTROL_LIGHT);
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
  dc.FillRect(rect, CreateSolidBrush(CONTROL_FACE));
  if (pressed) {
    DrawEdge(dc, rect, CONTROL_SHADOW, CONTROL_SHADOW);
  } else {
    DrawRaisedEdge(dc, rect);
  }
  const Rect face = pressed ? rect.Offset(1, 1) : rect;
  DrawTriangle(dc, face, direction, enabled ? CONTROL_BLACK : CONTROL_SHADOW);
}

}  // namespace platform
