#pragma once

#include <memory>

#include "platform/gfx/Color.h"

namespace platform {

enum class PenStyle { Solid, Null };

struct Pen {
  PenStyle style = PenStyle::Solid;
  int width = 1;
  Color color = 0;
};
using PenHandle = std::shared_ptr<const Pen>;

struct Brush {
  bool hollow = false;  // a null brush: shapes are outlined only
  Color color = 0;
};
using BrushHandle = std::shared_ptr<const Brush>;

PenHandle CreatePen(PenStyle style, int width, Color color);
BrushHandle CreateSolidBrush(Color color);

enum class StockObject {
  WhiteBrush,
  LightGrayBrush,
  GrayBrush,
  DarkGrayBrush,
  BlackBrush,
  NullBrush
};
BrushHandle GetStockBrush(StockObject which);
PenHandle BlackPen();  // the default pen of a device context
PenHandle NullPen();

}  // namespace platform
