#include "platform/gfx/FreeTypeFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "platform/gfx/Region.h"
#include "platform/gfx/Surface.h"
#include "platform/gfx/Utf8.h"

namespace platform {

namespace {

// One FreeType library for the program. Faces are opened, closed and rendered under its
// mutex, since they share the library's memory and rasteriser.
struct FreeTypeLibrary {
  FT_Library library = nullptr;
  std::mutex mutex;

  FreeTypeLibrary() {
    if (FT_Init_FreeType(&library) != 0)
      throw std::runtime_error("cannot start FreeType");
  }
  ~FreeTypeLibrary() { FT_Done_FreeType(library); }
  FreeTypeLibrary(const FreeTypeLibrary&) = delete;
  FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;
};

std::shared_ptr<FreeTypeLibrary> SharedLibrary() {
  // Every font holds a reference, so the library outlives fonts freed at exit.
  static const std::shared_ptr<FreeTypeLibrary> library = std::make_shared<FreeTypeLibrary>();
  return library;
}

struct Glyph {
  int left = 0;  // from the pen position to the bitmap's left column
  int top = 0;   // from the baseline up to the bitmap's top row
  int width = 0;
  int height = 0;
  int advance = 0;
  std::vector<std::uint8_t> coverage;  // width x height, 0..255
};

int RoundedPixels(FT_Pos value26_6) {
  return static_cast<int>((value26_6 + 32) >> 6);
}

Pixel Blend(Pixel under, Pixel over, unsigned alpha) {
  Pixel out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned a = (over >> shift) & 0xFF;
    const unsigned b = (under >> shift) & 0xFF;
    out |= static_cast<Pixel>((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
  }
  return out;
}

void CopyCoverage(const FT_Bitmap& bitmap, Glyph& glyph) {
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.coverage.assign(static_cast<std::size_t>(glyph.width) * glyph.height, 0);
  const int pitch = bitmap.pitch;
  for (int y = 0; y < glyph.height; ++y) {
    // A negative pitch stores the rows bottom-up.
    const unsigned char* row =
        bitmap.buffer + (pitch >= 0 ? y * pitch : (glyph.height - 1 - y) * -pitch);
    std::uint8_t* out = glyph.coverage.data() + static_cast<std::size_t>(y) * glyph.width;
    for (int x = 0; x < glyph.width; ++x) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        out[x] = (row[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
      } else {
        out[x] = row[x];
      }
    }
  }
}

class FreeTypeFont final : public Font {
 public:
  FreeTypeFont(std::shared_ptr<FreeTypeLibrary> library, const std::string& path, int cellHeight);
  ~FreeTypeFont() override;
  FreeTypeFont(const FreeTypeFont&) = delete;
  FreeTypeFont& operator=(const FreeTypeFont&) = delete;

  const TextMetrics& Metrics() const override { return metrics_; }
  Size MeasureText(std::string_view utf8) const override;
  int DrawText(Surface& surface, Point origin, std::string_view utf8, Color color,
               const Region& clip) const override;

 private:
  void ChoosePixelSize(int cellHeight);
  // The cached glyph; glyphs are never evicted, so the reference stays valid.
  const Glyph& GlyphFor(char32_t codePoint) const;
  Glyph Render(FT_UInt index) const;

  std::shared_ptr<FreeTypeLibrary> library_;
  FT_Face face_ = nullptr;
  TextMetrics metrics_;
  mutable std::mutex mutex_;
  mutable std::unordered_map<FT_UInt, Glyph> glyphs_;
  mutable std::array<const Glyph*, 128> ascii_{};
};

FreeTypeFont::FreeTypeFont(std::shared_ptr<FreeTypeLibrary> library, const std::string& path,
                           int cellHeight)
    : library_(std::move(library)) {
  {
    std::lock_guard lock(library_->mutex);
    if (FT_New_Face(library_->library, path.c_str(), 0, &face_) != 0) {
      face_ = nullptr;
      throw std::runtime_error("cannot load the font " + path +
                               " (it comes with the Debian package fonts-dejavu-core)");
    }
  }
  ChoosePixelSize(std::max(cellHeight, 1));
  int letters = 0;
  for (char32_t c = 'A'; c <= 'Z'; ++c)
    letters += GlyphFor(c).advance + GlyphFor(c + 32).advance;
  metrics_.averageCharWidth = (letters + 26) / 52;
}

FreeTypeFont::~FreeTypeFont() {
  std::lock_guard lock(library_->mutex);
  FT_Done_Face(face_);
}

void FreeTypeFont::ChoosePixelSize(int cellHeight) {
  std::lock_guard lock(library_->mutex);
  int ascent = 0;
  int descent = 0;
  for (int size = cellHeight; size >= 1; --size) {
    FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(size));
    ascent = RoundedPixels(face_->size->metrics.ascender);
    descent = RoundedPixels(-face_->size->metrics.descender);
    if (ascent + descent <= cellHeight)
      break;
  }
  // Too small a cell for any size keeps the smallest one, cut to the cell.
  metrics_.height = cellHeight;
  metrics_.ascent = std::min(ascent, cellHeight);
  metrics_.descent = cellHeight - metrics_.ascent;
  metrics_.maxCharWidth = RoundedPixels(face_->size->metrics.max_advance);
}

Glyph FreeTypeFont::Render(FT_UInt index) const {
  std::lock_guard lock(library_->mutex);
  Glyph glyph;
  const FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT;
  // Index 0 is the face's own missing-glyph box.
  if (FT_Load_Glyph(face_, index, flags) != 0 && FT_Load_Glyph(face_, 0, flags) != 0) {
    return glyph;
  }
  const FT_GlyphSlot slot = face_->glyph;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.advance = RoundedPixels(slot->advance.x);
  if (slot->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY ||
      slot->bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
    CopyCoverage(slot->bitmap, glyph);
  }
  return glyph;
}

const Glyph& FreeTypeFont::GlyphFor(char32_t codePoint) const {
  std::lock_guard lock(mutex_);
  if (codePoint < ascii_.size() && ascii_[codePoint] != nullptr)
    return *ascii_[codePoint];
  const FT_UInt index = FT_Get_Char_Index(face_, codePoint);
  auto found = glyphs_.find(index);
  if (found == glyphs_.end())
    found = glyphs_.emplace(index, Render(index)).first;
  if (codePoint < ascii_.size())
    ascii_[codePoint] = &found->second;
  return found->second;
}

Size FreeTypeFont::MeasureText(std::string_view utf8) const {
  int width = 0;
  for (std::size_t pos = 0; pos < utf8.size();)
    width += GlyphFor(DecodeUtf8(utf8, pos)).advance;
  return {width, metrics_.height};
}

int FreeTypeFont::DrawText(Surface& surface, Point origin, std::string_view utf8, Color color,
                           const Region& clip) const {
  const Pixel ink = ToPixel(color);
  const int baseline = origin.y + metrics_.ascent;
  int pen = origin.x;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const Glyph& glyph = GlyphFor(DecodeUtf8(utf8, pos));
    const Rect box =
        Rect::FromSize(pen + glyph.left, baseline - glyph.top, glyph.width, glyph.height);
    for (const Rect& piece : clip.Rects()) {
      const Rect part = piece.Intersect(box);
      for (int y = part.top; y < part.bottom; ++y) {
        const std::uint8_t* cover =
            glyph.coverage.data() + static_cast<std::size_t>(y - box.top) * glyph.width;
        Pixel* row = surface.Row(y);
        for (int x = part.left; x < part.right; ++x) {
          const unsigned alpha = cover[x - box.left];
          if (alpha == 255) {
            row[x] = ink;
          } else if (alpha != 0) {
            row[x] = Blend(row[x], ink, alpha);
          }
        }
      }
    }
    pen += glyph.advance;
  }
  return pen - origin.x;
}

}  // namespace

FontHandle OpenFontFile(const std::string& path, int cellHeight) {
  return std::make_shared<const FreeTypeFont>(SharedLibrary(), path, cellHeight);
}

}  // namespace platform
