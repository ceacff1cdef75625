#include "platform/gfx/Surface.h"

#include <algorithm>

namespace platform {

Surface::Surface(int width, int height, Pixel fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

}  // namespace platform
