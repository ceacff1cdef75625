#pragma once

#include <cstdint>

#include "display/MapView.h"

namespace gradlog {

// The plane pixel at the window's top-left when `view` is shown.
TrackPoint TopLeftOf(const MapBox& view);

// The view centred on the plane pixel `at`: left = x - halfWidth + 1, right = x + halfWidth - 1,
// likewise top and bottom.
MapBox ViewCentredOn(TrackPoint at, const MapGeometry& geometry);

// The box moved by (dx, dy); edges beyond the int32 range are held at it.
MapBox MovedBy(const MapBox& box, std::int64_t dx, std::int64_t dy);

}  // namespace gradlog
