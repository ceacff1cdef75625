#include "display/MapArea.h"

#include <cstdint>

#include "common/SafeConvert.h"
#include "display/MapGrid.h"
#include "display/MapMarks.h"
#include "display/MapTrackDrawing.h"

namespace gradlog {

namespace {

std::int32_t PlaneCoordinate(std::int32_t origin, std::int32_t window) {
  return ClampToInt32(std::int64_t{origin} + window);
}

}  // namespace

MapBox MarksShowingIn(const platform::Rect& area, TrackPoint origin) {
  return {.left = PlaneCoordinate(origin.x, area.left - TRACK_POINT_REACH),
          .right = PlaneCoordinate(origin.x, area.right - 1 + TRACK_POINT_REACH),
          .top = PlaneCoordinate(origin.y, area.top - TRACK_POINT_REACH),
          .bottom = PlaneCoordinate(origin.y, area.bottom - 1 + TRACK_POINT_REACH)};
}

platform::Rect SquareOf(const MapBox& plotBox) {
  return {plotBox.left, plotBox.top, plotBox.right + 1, plotBox.bottom + 1};
}

platform::DeviceContext ClippedTo(platform::DeviceContext& dc, const platform::Rect& area) {
  platform::Region clip = dc.Clip();
  clip.Intersect(area.Offset(dc.Origin().x, dc.Origin().y));
  return platform::DeviceContext(dc.Target(), dc.Origin(), clip);
}

void DrawMapArea(platform::DeviceContext& dc, MapScene& scene, const platform::Rect& area,
                 TrackPoint windowOrigin) {
  platform::DeviceContext areaDc = ClippedTo(dc, area);
  areaDc.FillRect(area, scene.drawing.whiteBrush);
  DrawMapGrid(areaDc, scene.view.grid, scene.view.plotBox, scene.drawing.thinLightGreyPen);
  const MapBox marks = MarksShowingIn(area, windowOrigin);
  if (scene.external.loaded != 0)
    DrawExternalTrack(areaDc, scene, marks, windowOrigin);
  DrawLoggedTrack(areaDc, scene, marks, windowOrigin);
}

}  // namespace gradlog
