#pragma once

#include <span>
#include <string_view>

#include "platform/gfx/Font.h"
#include "platform/gfx/Objects.h"
#include "platform/gfx/Region.h"
#include "platform/gfx/Surface.h"

namespace platform {

enum class BackgroundMode { Transparent, Opaque };

// ExtTextOut options.
inline constexpr unsigned ETO_OPAQUE = 0x0002;
inline constexpr unsigned ETO_CLIPPED = 0x0004;

// DrawText formats (the classic values).
inline constexpr unsigned DT_LEFT = 0x0000;
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_VCENTER = 0x0004;
inline constexpr unsigned DT_SINGLELINE = 0x0020;
inline constexpr unsigned DT_CALCRECT = 0x0400;
inline constexpr unsigned DT_NOPREFIX = 0x0800;

// Draws on a surface: logical coordinates are offset by `origin`, and every pixel written
// lies inside the clip region (surface coordinates). Pen, brush, font, colours, background
// mode and current position are the context's state; Save() returns a guard that restores
// them when it goes out of scope.
class DeviceContext {
 private:
  struct State {
    PenHandle pen;
    BrushHandle brush;
    FontHandle font;
    Color textColor = 0;
    Color backgroundColor = Rgb(255, 255, 255);
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    Point position;
  };

 public:
  DeviceContext(Surface& surface, Point origin, Region clip);
  virtual ~DeviceContext() = default;
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  PenHandle SelectPen(PenHandle pen);  // each Select returns the previous object
  BrushHandle SelectBrush(BrushHandle brush);
  FontHandle SelectFont(FontHandle font);
  Color SetTextColor(Color color);
  Color SetBackgroundColor(Color color);
  BackgroundMode SetBackgroundMode(BackgroundMode mode);
  const PenHandle& CurrentPen() const { return state_.pen; }
  const BrushHandle& CurrentBrush() const { return state_.brush; }
  const FontHandle& CurrentFont() const { return state_.font; }

  class StateGuard {
   public:
    explicit StateGuard(DeviceContext& dc) : dc_(dc), saved_(dc.state_) {}
    ~StateGuard() { dc_.state_ = saved_; }
    StateGuard(const StateGuard&) = delete;
    StateGuard& operator=(const StateGuard&) = delete;

   private:
    DeviceContext& dc_;
    State saved_;
  };
  [[nodiscard]] StateGuard Save() { return StateGuard(*this); }

  // Lines: LineTo draws up to, not including, its end point; wide pens are centred.
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  Point CurrentPosition() const { return state_.position; }
  void Polyline(std::span<const Point> points);
  // Outline with the pen, fill with the brush; right and bottom exclusive.
  void Rectangle(int left, int top, int right, int bottom);
  void Ellipse(int left, int top, int right, int bottom);
  void FillRect(const Rect& rect, const BrushHandle& brush);
  void SetPixel(int x, int y, Color color);
  Color GetPixel(int x, int y) const;  // 0xFFFFFFFF outside the surface

  // Text: (x, y) is the top-left of the text cell.
  void TextOut(int x, int y, std::string_view utf8);
  void ExtTextOut(int x, int y, unsigned options, const Rect* rect, std::string_view utf8);
  // Lines separated by "\r\n" or "\n"; '&' marks a mnemonic (underlined, "&&" draws '&')
  // unless DT_NOPREFIX. With DT_CALCRECT only sets rect's right and bottom. Returns the
  // height of the text drawn.
  int DrawText(std::string_view utf8, Rect& rect, unsigned format);
  Size GetTextExtent(std::string_view utf8) const;
  TextMetrics GetTextMetrics() const;

  // Copies a w x h block from `source` at (sx, sy) to (x, y) here; both may be the same
  // surface and the blocks may overlap. Text trace entries travel with the pixels.
  void BitBlt(int x, int y, int width, int height, const DeviceContext& source, int sx, int sy);

  Surface& Target() { return *surface_; }
  const Surface& Target() const { return *surface_; }
  Point Origin() const { return origin_; }
  const Region& Clip() const { return clip_; }

 private:
  Surface* surface_;
  Point origin_;
  Region clip_;
  State state_;
};

// An off-screen bitmap and a device context that draws into it.
class Bitmap {
 public:
  Bitmap(int width, int height, Color fill = Rgb(0, 0, 0));
  Surface& Pixels() { return surface_; }
  const Surface& Pixels() const { return surface_; }
  int Width() const { return surface_.Width(); }
  int Height() const { return surface_.Height(); }

 private:
  Surface surface_;
};

class BitmapContext : public DeviceContext {
 public:
  explicit BitmapContext(Bitmap& bitmap);
};

}  // namespace platform
