#include "platform/gfx/DeviceContext.h"

namespace platform {

Bitmap::Bitmap(int width, int height, Color fill) : surface_(width, height, ToPixel(fill)) {}

BitmapContext::BitmapContext(Bitmap& bitmap)
    : DeviceContext(bitmap.Pixels(), {0, 0}, Region(bitmap.Pixels().Bounds())) {}

}  // namespace platform
