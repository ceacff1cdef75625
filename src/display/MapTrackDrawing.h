#pragma once

#include "display/MapView.h"
#include "gps/SortedTrack.h"
#include "platform/gfx/DeviceContext.h"

namespace gradlog {

// Every point of a track inside `planeBox` (plane pixels, inclusive edges) as a mark at its
// window position, the plane point minus `windowOrigin`. The y-sorted track is searched from
// its cursor, so the cost follows the points in the box's rows; the cursor is left at the
// first of them.
void DrawLoggedTrack(platform::DeviceContext& dc, MapScene& scene, const MapBox& planeBox,
                     TrackPoint windowOrigin);
void DrawExternalTrack(platform::DeviceContext& dc, MapScene& scene, const MapBox& planeBox,
                       TrackPoint windowOrigin);

// One mark of the logged track at window pixel `at`.
void DrawLoggedMark(platform::DeviceContext& dc, const MapScene& scene, platform::Point at);

// The window pixel of a plane point with the window's top-left at `windowOrigin`, held within
// +-TRACK_PLANE_LIMIT so that drawing around it cannot overflow.
platform::Point WindowPixel(TrackPoint planePoint, TrackPoint windowOrigin);

}  // namespace gradlog
