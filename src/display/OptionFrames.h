#pragma once

#include "platform/gfx/DeviceContext.h"

namespace gradlog {

// The frames of the option windows: an outline with the current pen and no fill, and the
// small filled circle that marks a frame's corner.
void OutlineFrame(platform::DeviceContext& dc, const platform::Rect& frame);
void CornerDot(platform::DeviceContext& dc, platform::Point centre);

}  // namespace gradlog
