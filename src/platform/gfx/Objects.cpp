#include "platform/gfx/Objects.h"

#include <array>
#include <cstddef>

namespace platform {

PenHandle CreatePen(PenStyle style, int width, Color color) {
  // A width below one draws the thinnest line, as a zero-width pen always has.
  return std::make_shared<const Pen>(Pen{style, width < 1 ? 1 : width, color});
}

BrushHandle CreateSolidBrush(Color color) {
  return std::make_shared<const Brush>(Brush{false, color});
}

BrushHandle GetStockBrush(StockObject which) {
  static const std::array<BrushHandle, 6> stock = {
      CreateSolidBrush(Rgb(255, 255, 255)), CreateSolidBrush(Rgb(192, 192, 192)),
      CreateSolidBrush(Rgb(128, 128, 128)), CreateSolidBrush(Rgb(64, 64, 64)),
      CreateSolidBrush(Rgb(0, 0, 0)),       std::make_shared<const Brush>(Brush{true, 0}),
  };
  const auto index = static_cast<std::size_t>(which);
  return index < stock.size() ? stock[index] : stock.back();
}

PenHandle BlackPen() {
  static const PenHandle pen = CreatePen(PenStyle::Solid, 1, Rgb(0, 0, 0));
  return pen;
}

PenHandle NullPen() {
  static const PenHandle pen = CreatePen(PenStyle::Null, 1, Rgb(0, 0, 0));
  return pen;
}

}  // namespace platform
