#include "platform/gfx/Font.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "platform/gfx/FreeTypeFont.h"

namespace platform {

namespace {

constexpr const char* FONT_DIRECTORY = "/usr/share/fonts/truetype/dejavu/";
constexpr int BOLD_WEIGHT = 600;
// Far beyond anything a 320 x 240 screen shows; keeps a wild request from rendering huge
// glyphs.
constexpr int MAX_CELL_HEIGHT = 512;

}  // namespace

FontHandle CreateFont(int cellHeight, int weight) {
  static std::mutex mutex;
  static std::map<std::pair<int, bool>, FontHandle> cache;
  const int height = std::clamp(cellHeight, 1, MAX_CELL_HEIGHT);
  const bool bold = weight >= BOLD_WEIGHT;
  std::lock_guard lock(mutex);
  FontHandle& font = cache[{height, bold}];
  if (!font) {
    font = OpenFontFile(
        std::string(FONT_DIRECTORY) + (bold ? "DejaVuSans-Bold.ttf" : "DejaVuSans.ttf"), height);
  }
  return font;
}

FontHandle SystemFont() {
  static const FontHandle font = CreateFont(13, 400);
  return font;
}

}  // namespace platform
