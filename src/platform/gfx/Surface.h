#pragma once

#include <span>
#include <vector>

#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/TextTrace.h"

namespace platform {

// A block of 32-bit 0x00RRGGBB pixels with the trace of the text drawn on it: the screen's
// framebuffer, or an off-screen bitmap.
class Surface {
 public:
  Surface(int width, int height, Pixel fill = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rect Bounds() const { return {0, 0, width_, height_}; }
  std::span<Pixel> Pixels() { return pixels_; }
  std::span<const Pixel> Pixels() const { return pixels_; }
  Pixel* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const Pixel* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  Pixel At(int x, int y) const { return Row(y)[x]; }
  TextTrace& Trace() { return trace_; }
  const TextTrace& Trace() const { return trace_; }

 private:
  int width_;
  int height_;
  std::vector<Pixel> pixels_;
  TextTrace trace_;
};

}  // namespace platform
