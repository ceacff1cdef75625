#include "display/MapGrid.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace gradlog {

namespace {

// Lines closer than this would only grey the map; a hand-edited interval can ask for them.
constexpr float MIN_GRID_SPACING = 1.0f;
// The lines each side of the centre line, so that a built grid fits MAX_GRID_LINES.
constexpr std::int32_t MAX_LINES_EACH_SIDE = (static_cast<std::int32_t>(MAX_GRID_LINES) - 1) / 2;

bool Inside(float line, std::int32_t low, std::int32_t high) {
  return line >= static_cast<float>(low) && line <= static_cast<float>(high);
}

void BuildLines(std::vector<float>& lines, std::int32_t each, float spacing, std::int32_t centre,
                std::int32_t low, std::int32_t high) {
  lines.clear();
  for (std::int32_t i = -each; i <= each; ++i) {
    const float line = static_cast<float>(i) * spacing + static_cast<float>(centre);
    if (Inside(line, low, high))
      lines.push_back(line);
  }
}

// The leading lines below `low` go; when every line is below, the last one stays to keep the
// grid's place on the ground.
void DropBelow(std::vector<float>& lines, std::int32_t low) {
  const auto firstKept = std::find_if(lines.begin(), std::prev(lines.end()), [low](float line) {
    return line >= static_cast<float>(low);
  });
  lines.erase(lines.begin(), firstKept);
}

// The trailing lines above `high` go; when every line is above, the first one stays.
void DropAbove(std::vector<float>& lines, std::int32_t high) {
  const auto lastKept = std::find_if(lines.rbegin(), std::prev(lines.rend()), [high](float line) {
    return line <= static_cast<float>(high);
  });
  lines.erase(lastKept.base(), lines.end());
}

}  // namespace

void BuildMapGrid(MapGrid& grid, const MapBox& plotBox, const MapGeometry& geometry,
                  const SurveySettings& settings) {
  grid.spacing = 0.0f;
  grid.x.clear();
  grid.y.clear();
  const float interval = settings.mapGridInterval;
  if (!(interval > 0.0f))
    return;
  // A scale below 1 is drawn as 1 (as the map's pixels per unit are), never divided by.
  const float scale = static_cast<float>(std::max(settings.mapScale, 1));
  std::int32_t each = 0;
  for (float d = scale * 0.5f - interval; d > 0.0f && each < MAX_LINES_EACH_SIDE; d -= interval)
    ++each;
  const float spacing = static_cast<float>(plotBox.right - plotBox.left + 1) * interval / scale;
  if (!std::isfinite(spacing) || spacing < MIN_GRID_SPACING)
    return;
  grid.spacing = spacing;
  BuildLines(grid.x, each, spacing, geometry.halfWidth, plotBox.left, plotBox.right);
  BuildLines(grid.y, each, spacing, geometry.halfHeight, plotBox.top, plotBox.bottom);
}

void ShiftGridLines(std::vector<float>& lines, float spacing, std::int32_t shift, std::int32_t low,
                    std::int32_t high) {
  if (lines.empty() || shift == 0)
    return;
  for (float& line : lines)
    line -= static_cast<float>(shift);
  // New lines are counted out from one kept line, each rounded once, so that thousands of
  // scrolls leave the grid where it belongs on the ground.
  if (shift > 0) {
    // The picture moved towards `low`: old lines leave there, new ones enter at `high`. The
    // lone line kept outside goes once a line has come in.
    DropBelow(lines, low);
    const double from = lines.back();
    for (int k = 1; lines.size() < MAX_GRID_LINES; ++k) {
      const float line = static_cast<float>(from + k * static_cast<double>(spacing));
      if (line > static_cast<float>(high))
        break;
      lines.push_back(line);
    }
    DropBelow(lines, low);
  } else {
    DropAbove(lines, high);
    const double from = lines.front();
    std::vector<float> entering;
    for (int k = 1; lines.size() + entering.size() < MAX_GRID_LINES; ++k) {
      const float line = static_cast<float>(from - k * static_cast<double>(spacing));
      if (line < static_cast<float>(low))
        break;
      entering.push_back(line);
    }
    lines.insert(lines.begin(), entering.rbegin(), entering.rend());
    DropAbove(lines, high);
  }
}

void DrawMapGrid(platform::DeviceContext& dc, const MapGrid& grid, const MapBox& plotBox,
                 const platform::PenHandle& pen) {
  const auto guard = dc.Save();
  dc.SelectPen(pen);
  for (const float x : grid.x) {
    if (!Inside(x, plotBox.left, plotBox.right))
      continue;
    dc.MoveTo(static_cast<int>(x), plotBox.top);
    dc.LineTo(static_cast<int>(x), plotBox.bottom + 1);
  }
  for (const float y : grid.y) {
    if (!Inside(y, plotBox.top, plotBox.bottom))
      continue;
    dc.MoveTo(plotBox.left, static_cast<int>(y));
    dc.LineTo(plotBox.right + 1, static_cast<int>(y));
  }
}

}  // namespace gradlog
