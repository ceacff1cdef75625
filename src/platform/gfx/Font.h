#pragma once

#include <memory>
#include <string_view>

#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

namespace platform {

class Surface;
class Region;

struct TextMetrics {
  int height = 0;  // cell height: ascent + descent
  int ascent = 0;
  int descent = 0;
  int averageCharWidth = 0;  // average advance of the 52 letters A-Z, a-z
  int maxCharWidth = 0;
};

// A rendered face at one pixel size (DejaVu Sans or DejaVu Sans Bold through FreeType).
class Font {
 public:
  virtual ~Font() = default;
  virtual const TextMetrics& Metrics() const = 0;
  // Width of the advances of the UTF-8 text and the cell height.
  virtual Size MeasureText(std::string_view utf8) const = 0;
  // Draws the text with its cell's top-left at `origin` (surface pixels), blending the glyph
  // coverage with `color`; only pixels inside `clip` change. Returns the inked advance width.
  virtual int DrawText(Surface& surface, Point origin, std::string_view utf8, Color color,
                       const Region& clip) const = 0;
};
using FontHandle = std::shared_ptr<const Font>;

// Asks for a font by cell height in pixels; weights of 600 and more give the bold face.
// Fonts are cached: equal requests share one object. Throws std::runtime_error when the
// font files cannot be loaded.
FontHandle CreateFont(int cellHeight, int weight);
// The font a fresh device context draws with: the normal face at cell height 13.
FontHandle SystemFont();

}  // namespace platform
