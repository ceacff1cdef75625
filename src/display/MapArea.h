#pragma once

#include "display/MapView.h"
#include "platform/gfx/DeviceContext.h"

namespace gradlog {

// The map square as a rectangle of window pixels (right and bottom exclusive).
platform::Rect SquareOf(const MapBox& plotBox);

// A context that draws like `dc` but only inside `area` (window pixels): the map keeps its
// marks out of the window's border, and a redrawn strip out of the picture beside it.
platform::DeviceContext ClippedTo(platform::DeviceContext& dc, const platform::Rect& area);

// The plane box of the marks that reach into `area` (window pixels): centred at most a mark's
// reach outside it. `windowOrigin` is the plane pixel at the window's top-left.
MapBox MarksShowingIn(const platform::Rect& area, TrackPoint windowOrigin);

// The part `area` of the map square drawn anew, as the whole map would be drawn there: white,
// the grid, the external track when loaded, the logged track. Marks centred outside the area
// but reaching into it are drawn too, cut at its edges, so that a strip beside an older
// picture completes the marks that cross from one into the other.
void DrawMapArea(platform::DeviceContext& dc, MapScene& scene, const platform::Rect& area,
                 TrackPoint windowOrigin);

}  // namespace gradlog
