#include "platform/backend/Letterbox.h"

#include <algorithm>

namespace platform {

Letterbox Letterbox::Fit(Size output, Size screen) {
  if (screen.width <= 0 || screen.height <= 0) {
    return {};
  }
  const int scale =
      std::max(1, std::min(output.width / screen.width, output.height / screen.height));
  const int width = screen.width * scale;
  const int height = screen.height * scale;
  return {scale,
          Rect::FromSize((output.width - width) / 2, (output.height - height) / 2, width, height)};
}

std::optional<Point> Letterbox::ToScreen(Point output) const {
  if (!picture.Contains(output)) {
    return std::nullopt;
  }
  return Point{(output.x - picture.left) / scale, (output.y - picture.top) / scale};
}

Point Letterbox::ToScreenClamped(Point output) const {
  if (picture.IsEmpty()) {
    return {};
  }
  return *ToScreen({std::clamp(output.x, picture.left, picture.right - 1),
                    std::clamp(output.y, picture.top, picture.bottom - 1)});
}

}  // namespace platform
