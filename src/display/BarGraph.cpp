#include <algorithm>

#include "display/DisplayState.h"
#include "display/ProfileCurves.h"

namespace gradlog {

namespace {

// Draws one channel's bar from a row to another, either way round.
class BarPainter {
 public:
  BarPainter(platform::DeviceContext& dc, const DisplayState& display, std::size_t channel)
      : dc_(dc),
        display_(display),
        channel_(channel),
        x_(display.curves.barX[channel]),
        width_(display.curves.barWidth) {}

  // White over the bar's columns and one more on each side.
  void Erase(std::int32_t from, std::int32_t to) {
    dc_.SelectPen(display_.drawing.whitePen);
    dc_.SelectBrush(display_.drawing.whiteBrush);
    dc_.Rectangle(x_ - 1, from, x_ + width_ + 1, to);
  }
  void Fill(std::int32_t from, std::int32_t to) {
    dc_.SelectPen(display_.channels.thinPen[channel_]);
    dc_.SelectBrush(display_.channels.brush[channel_]);
    dc_.Rectangle(x_, from, x_ + width_, to);
  }

 private:
  platform::DeviceContext& dc_;
  const DisplayState& display_;
  std::size_t channel_;
  std::int32_t x_;
  std::int32_t width_;
};

std::size_t BarChannels(const DisplayState& display) {
  return static_cast<std::size_t>(std::clamp<std::int32_t>(display.profile.channelCount, 0, 8));
}

std::int32_t ZeroRow(const DisplayState& display) {
  return display.profile.barGridRows.rows[0];
}

// Where the bars stand: the bottom, the top or the zero row.
std::int32_t BaseRow(const DisplayState& display) {
  switch (display.profile.barBaseMode) {
    case -1:
      return 0;
    case 0:
      return ZeroRow(display);
    default:
      return display.layout.barsHeight;
  }
}

// Only the part between the bar's old top `t` and its new one `y` is drawn.
void MoveBar(BarPainter& bar, std::int32_t mode, std::int32_t y, std::int32_t t, std::int32_t z,
             std::int32_t barsHeight) {
  if (mode == 1) {
    if (y >= t)
      bar.Erase(t, y);
    else
      bar.Fill(y, t);
  } else if (mode == -1) {
    if (y <= t)
      bar.Erase(t, y);
    else
      bar.Fill(t, y);
  } else if (y > z) {  // below zero: the bar hangs from the zero row
    if (t < z) {
      bar.Erase(t, z);
      bar.Fill(y, z);
    } else if (y <= t) {
      bar.Erase(t, y);
    } else {
      bar.Fill(y, t);
    }
  } else {  // at or above zero: the bar stands on the zero row
    if (t >= z) {
      bar.Erase(barsHeight, z);
      bar.Fill(y, z);
    } else if (y >= t) {
      bar.Erase(t, y);
    } else {
      bar.Fill(y, t);
    }
  }
}

}  // namespace

void DrawBars(platform::DeviceContext& dc, DisplayState& display,
              std::span<const std::int32_t> rows) {
  const auto guard = dc.Save();
  const ScreenLayout& layout = display.layout;
  ProfileCurveState& curves = display.curves;
  const std::size_t channels = std::min(BarChannels(display), rows.size());
  if (curves.barsDrawn == 0) {
    curves.barsDrawn = 1;
    dc.SelectPen(display.drawing.whitePen);
    dc.SelectBrush(display.drawing.whiteBrush);
    dc.Rectangle(1, 1, layout.barsWidth - 1, layout.barsHeight);
    for (std::size_t i = 0; i < BarChannels(display); ++i)
      curves.barPrevTop[i] = BaseRow(display);
  }
  for (std::size_t i = 0; i < channels; ++i) {
    BarPainter bar(dc, display, i);
    MoveBar(bar, display.profile.barBaseMode, rows[i], curves.barPrevTop[i], ZeroRow(display),
            layout.barsHeight);
    curves.barPrevTop[i] = rows[i];
    curves.barLevel[i] = std::clamp(rows[i], 0, std::max(layout.barsHeight, 0));
  }
  // Last, so that the grid lies over the bars; nothing drawn before it shows through.
  DrawBarGrid(dc, display, layout.barsWidth);
}

void RepaintBars(platform::DeviceContext& dc, const DisplayState& display) {
  const auto guard = dc.Save();
  const std::int32_t base = BaseRow(display);
  for (std::size_t i = 0; i < BarChannels(display); ++i) {
    const std::int32_t level = display.curves.barLevel[i];
    if (level < 0)
      continue;
    BarPainter bar(dc, display, i);
    bar.Fill(level, base);
  }
}

void PaintBarsWindow(platform::Hwnd window, const DisplayState& display) {
  platform::PaintDC dc(window);
  if (display.curves.barsDrawn == 1)
    RepaintBars(dc, display);
  DrawBarGrid(dc, display, display.layout.barsWidth);
}

}  // namespace gradlog
