#pragma once

#include <cstdint>

#include "gps/LocalPlane.h"
#include "gps/SortedTrack.h"

namespace gradlog {

// How a local position becomes a pixel of the map's track plane at the current scale: the
// run's origin lies at (halfWidth, halfHeight), north is up.
struct TrackPlane {
  double pixelsPerUnit = 21.2;
  std::int32_t halfWidth = 106;
  std::int32_t halfHeight = 106;
  double originNorth = 0.0;
  double originEast = 0.0;
};

// x = (east - originEast) x pixelsPerUnit + halfWidth, y = halfHeight - (north - originNorth)
// x pixelsPerUnit, truncated toward zero. A position too far away for the plane (or not a
// number) is held at +-TRACK_PLANE_LIMIT, so that window arithmetic on it cannot overflow.
inline constexpr std::int32_t TRACK_PLANE_LIMIT = 1 << 30;
TrackPoint ToTrackPixel(const TrackPlane& plane, PlanePoint position);

}  // namespace gradlog
