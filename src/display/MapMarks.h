#pragma once

#include <cstdint>

#include "platform/gfx/DeviceContext.h"

namespace gradlog {

// The largest track-mark size; larger sizes draw nothing.
inline constexpr std::int32_t MAX_TRACK_POINT_SIZE = 5;
// How far the largest mark reaches from its centre: strips redrawn beside a scroll reach this
// far into the old picture so that marks cut by the strip's edge are completed.
inline constexpr std::int32_t TRACK_POINT_REACH = 3;

// One track mark centred on (x, y), each shape symmetric about its centre: 0 a pixel, 1 a
// cross of arm 1, 2 a 3 x 3 square, 3 that square with arms of 2, 4 a 5 x 5 square, 5 that
// square with arms of 3. The pen draws the arms and the outline, the brush fills.
void DrawTrackPoint(platform::DeviceContext& dc, std::int32_t x, std::int32_t y, std::int32_t size,
                    const platform::PenHandle& pen, const platform::BrushHandle& brush,
                    platform::Color color);

// The current position: a cross of arm `half` (2 x half + 1 pixels each way) with `pen`.
void DrawPositionMarker(platform::DeviceContext& dc, std::int32_t x, std::int32_t y,
                        std::int32_t half, const platform::PenHandle& pen);

}  // namespace gradlog
