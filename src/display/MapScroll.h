#pragma once

#include <cstdint>

#include "display/MapView.h"
#include "platform/gfx/DeviceContext.h"

namespace gradlog {

enum class MapAxis { Horizontal, Vertical };

// Moves the picture in the map square by -shift pixels along `axis` (the view moved by
// `shift`), moves the grid lines with it and draws the strip it uncovers at the far side.
// `windowOrigin` is the plane pixel at the window's top-left once the picture has moved.
void ScrollMap(platform::DeviceContext& dc, MapScene& scene, MapAxis axis, std::int32_t shift,
               TrackPoint windowOrigin);

}  // namespace gradlog
