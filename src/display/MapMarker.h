#pragma once

#include "display/MapView.h"
#include "platform/gfx/DeviceContext.h"

namespace gradlog {

// Saves the window pixels under a marker centred on `at`, draws the marker there and makes it
// the last marker, whose background may be put back.
void PlaceMarker(platform::DeviceContext& dc, MapScene& scene, platform::Point at);

// Puts the saved pixels back under the last marker, which leaves no trace of it.
void RestoreMarkerBackground(platform::DeviceContext& dc, MapViewState& view,
                             const MapGeometry& geometry);

}  // namespace gradlog
