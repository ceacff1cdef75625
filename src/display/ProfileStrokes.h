#pragma once

#include "display/DrawingResources.h"
#include "display/GridRows.h"
#include "platform/gfx/DeviceContext.h"

namespace gradlog {

// The rows of `grid` across the columns [left, right): the first one in the 2-pixel zero pen
// when it is the zero row of a range around zero, every other in the 1-pixel grid pen.
void DrawGridRows(platform::DeviceContext& dc, const GridRows& grid, bool straddlesZero,
                  const DrawingResources& drawing, int left, int right);

// The newest point of a curve as a dot of the current pen. A line drawn up to a point leaves
// that point out, and so does a line of no length, so every point is stamped on its own.
void DrawCurvePoint(platform::DeviceContext& dc, platform::Point point);

}  // namespace gradlog
