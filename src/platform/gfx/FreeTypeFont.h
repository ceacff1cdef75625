#pragma once

#include <string>

#include "platform/gfx/Font.h"

namespace platform {

// Opens a font file at the largest pixel size whose rounded ascent plus descent fits in
// `cellHeight` (at least 1). Throws std::runtime_error when the file cannot be loaded.
FontHandle OpenFontFile(const std::string& path, int cellHeight);

}  // namespace platform
