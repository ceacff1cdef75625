#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

inline constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;

// Decodes the code point at `pos` and moves `pos` past it. Malformed, overlong or
// surrogate sequences give U+FFFD and skip one byte, so every input makes progress.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);

}  // namespace platform
