#pragma once

#include <array>
#include <optional>

#include "platform/gfx/Color.h"
#include "platform/ui/Handles.h"

namespace platform {

struct ColorChooserRequest {
  Color initial = 0;
  bool presetInitial = false;                     // start from `initial`; otherwise from black
  std::array<Color, 16>* customColors = nullptr;  // shown and updated; may be null
};

// The modal "Color" dialog: a palette of basic colours, a table of custom colours, a preview
// and red, green and blue fields. The chosen colour, or nullopt when the user cancels (the
// custom table is then left as it was).
std::optional<Color> ChooseColor(Hwnd owner, ColorChooserRequest& request);

// The basic palette, row by row in 8 columns: greys from black to white, then one hue per
// column from pastel through full, three-quarter and half intensity to dark.
const std::array<Color, 48>& BasicColors();

// The chooser's controls, for tests and scripts that look inside it.
inline constexpr int COLOR_CHOOSER_BASIC = 1101;
inline constexpr int COLOR_CHOOSER_CUSTOM = 1103;
inline constexpr int COLOR_CHOOSER_PREVIEW = 1104;
inline constexpr int COLOR_CHOOSER_RED = 1106;
inline constexpr int COLOR_CHOOSER_GREEN = 1108;
inline constexpr int COLOR_CHOOSER_BLUE = 1110;
inline constexpr int COLOR_CHOOSER_ADD = 1111;

}  // namespace platform
