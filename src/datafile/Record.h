#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace gradlog {

// Every record of a data file: 26 characters of 8-bit text and a line feed.
inline constexpr std::size_t RECORD_LENGTH = 27;
inline constexpr std::size_t RECORD_TEXT_LENGTH = RECORD_LENGTH - 1;
// The characters of a long text that one record of a reading or sentence group carries.
inline constexpr std::size_t GROUP_PIECE_LENGTH = RECORD_LENGTH - 2;

using Record = std::array<char, RECORD_LENGTH>;

// `text` padded with spaces (or cut) to 26 characters, then the line feed.
Record MakeRecord(std::string_view text);

}  // namespace gradlog
