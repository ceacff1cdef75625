#pragma once

#include <cstdint>
#include <vector>

#include "display/MapView.h"
#include "platform/gfx/DeviceContext.h"

namespace gradlog {

// Moves a list of grid lines (ascending window positions `spacing` apart) with a picture that
// scrolled by `shift` pixels (the lines move by -shift): lines coming in at the far side are
// added, lines leaving [low, high] are dropped, and the list never grows past MAX_GRID_LINES.
// When no line is left inside, the nearest one stays to keep the grid's place on the ground.
void ShiftGridLines(std::vector<float>& lines, float spacing, std::int32_t shift, std::int32_t low,
                    std::int32_t high);

// The grid's lines inside the map square, each across the whole square, at their truncated
// positions. Lines reach the square's far edges so that a scrolled picture and the strip
// beside it join without a gap.
void DrawMapGrid(platform::DeviceContext& dc, const MapGrid& grid, const MapBox& plotBox,
                 const platform::PenHandle& pen);

}  // namespace gradlog
