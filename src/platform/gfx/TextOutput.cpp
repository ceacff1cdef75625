#include <algorithm>
#include <string>
#include <vector>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Raster.h"
#include "platform/gfx/Utf8.h"

namespace platform {

namespace {

// One line as drawn: the text without mnemonic markers, and the bytes of the character
// to underline (none when start == end).
struct TextLine {
  std::string text;
  std::size_t underlineStart = 0;
  std::size_t underlineEnd = 0;
};

TextLine StripMnemonic(std::string_view line) {
  TextLine out;
  bool marked = false;
  for (std::size_t pos = 0; pos < line.size();) {
    if (line[pos] != '&') {
      out.text += line[pos++];
      continue;
    }
    ++pos;
    if (pos == line.size())
      break;
    if (line[pos] == '&') {
      out.text += line[pos++];
      continue;
    }
    // Only the first marker of a line is underlined; later ones are just dropped.
    const std::size_t start = pos;
    DecodeUtf8(line, pos);
    if (!marked) {
      out.underlineStart = out.text.size();
      out.underlineEnd = out.text.size() + (pos - start);
      marked = true;
    }
    out.text.append(line.substr(start, pos - start));
  }
  return out;
}

std::vector<TextLine> SplitLines(std::string_view utf8, unsigned format) {
  std::vector<std::string> raw(1);
  for (std::size_t pos = 0; pos < utf8.size(); ++pos) {
    const bool crlf = utf8[pos] == '\r' && pos + 1 < utf8.size() && utf8[pos + 1] == '\n';
    if (utf8[pos] != '\n' && !crlf) {
      raw.back() += utf8[pos];
      continue;
    }
    if (crlf)
      ++pos;
    // A single-line format shows a line break as a space rather than a missing-glyph box.
    if (format & DT_SINGLELINE) {
      raw.back() += ' ';
    } else {
      raw.emplace_back();
    }
  }
  std::vector<TextLine> lines;
  for (const std::string& line : raw) {
    lines.push_back((format & DT_NOPREFIX) ? TextLine{line} : StripMnemonic(line));
  }
  return lines;
}

struct TextPaint {
  Surface& surface;
  const Font& font;
  Color textColor;
  Color backgroundColor;
  bool opaque;
};

// Draws one line with its cell's top-left at `at` (surface pixels) and records what of it
// is visible.
void DrawLine(const TextPaint& paint, Point at, const TextLine& line, const Region& clip) {
  const Size extent = paint.font.MeasureText(line.text);
  const Rect cell = Rect::FromSize(at.x, at.y, extent.width, extent.height);
  const Region visible = raster::Covered(clip, cell);
  if (paint.opaque) {
    raster::Fill(paint.surface, clip, cell, ToPixel(paint.backgroundColor));
    paint.surface.Trace().DropCovered(visible);
  }
  paint.font.DrawText(paint.surface, at, line.text, paint.textColor, clip);
  if (line.underlineEnd > line.underlineStart) {
    const std::string_view text = line.text;
    const int x0 = at.x + paint.font.MeasureText(text.substr(0, line.underlineStart)).width;
    const int x1 = x0 + paint.font
                            .MeasureText(text.substr(line.underlineStart,
                                                     line.underlineEnd - line.underlineStart))
                            .width;
    // One row of space under the baseline when the descent allows it, as menus show it.
    const TextMetrics& m = paint.font.Metrics();
    const int y = at.y + m.ascent + (m.descent >= 2 ? 1 : 0);
    raster::Fill(paint.surface, clip, {x0, y, x1, y + 1}, ToPixel(paint.textColor));
  }
  if (!visible.IsEmpty())
    paint.surface.Trace().Record(line.text, visible);
}

}  // namespace

void DeviceContext::TextOut(int x, int y, std::string_view utf8) {
  ExtTextOut(x, y, 0, nullptr, utf8);
}

void DeviceContext::ExtTextOut(int x, int y, unsigned options, const Rect* rect,
                               std::string_view utf8) {
  const FontHandle font = state_.font ? state_.font : SystemFont();
  Region textClip = clip_;
  if (rect != nullptr) {
    const Rect box = raster::ToDevice(origin_, rect->left, rect->top, rect->right, rect->bottom);
    if (options & ETO_OPAQUE) {
      raster::Fill(*surface_, clip_, box, ToPixel(state_.backgroundColor));
      surface_->Trace().DropCovered(raster::Covered(clip_, box));
    }
    if (options & ETO_CLIPPED)
      textClip.Intersect(box);
  }
  const TextPaint paint{*surface_, *font, state_.textColor, state_.backgroundColor,
                        state_.backgroundMode == BackgroundMode::Opaque};
  DrawLine(paint, raster::ToDevice(origin_, x, y), TextLine{std::string(utf8)}, textClip);
}

int DeviceContext::DrawText(std::string_view utf8, Rect& rect, unsigned format) {
  const FontHandle font = state_.font ? state_.font : SystemFont();
  const std::vector<TextLine> lines = SplitLines(utf8, format);
  const int lineHeight = font->Metrics().height;
  const int total = lineHeight * static_cast<int>(lines.size());
  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const TextLine& line : lines)
      widest = std::max(widest, font->MeasureText(line.text).width);
    rect.right = rect.left + widest;
    rect.bottom = rect.top + total;
    return total;
  }
  const Rect box = raster::ToDevice(origin_, rect.left, rect.top, rect.right, rect.bottom);
  Region textClip = clip_;
  textClip.Intersect(box);
  int top = box.top;
  if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
    top += (box.Height() - lineHeight) / 2;
  const TextPaint paint{*surface_, *font, state_.textColor, state_.backgroundColor,
                        state_.backgroundMode == BackgroundMode::Opaque};
  for (const TextLine& line : lines) {
    const int width = font->MeasureText(line.text).width;
    int left = box.left;
    if (format & DT_CENTER) {
      left += (box.Width() - width) / 2;
    } else if (format & DT_RIGHT) {
      left = box.right - width;
    }
    DrawLine(paint, {left, top}, line, textClip);
    top += lineHeight;
  }
  return total;
}

Size DeviceContext::GetTextExtent(std::string_view utf8) const {
  return (state_.font ? state_.font : SystemFont())->MeasureText(utf8);
}

TextMetrics DeviceContext::GetTextMetrics() const {
  return (state_.font ? state_.font : SystemFont())->Metrics();
}

}  // namespace platform
