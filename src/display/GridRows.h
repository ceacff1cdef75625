#pragma once

#include <array>
#include <cstdint>

namespace gradlog {

// Horizontal grid rows of a profile or bar window, in pixels from the top. When the range
// straddles zero, rows[0] is the zero row.
struct GridRows {
  std::int32_t count = 0;  // 0..9
  std::array<std::int32_t, 9> rows{};
};

}  // namespace gradlog
