#pragma once

#include <optional>
#include <string_view>

namespace gradlog {

// The n-th (from 1) numeric token of `text`: a token starts at the first character of
// "+-.0123456789" at or after the start or a delimiter and runs to the next delimiter (or the
// end); non-numeric characters before it are skipped. nullopt when there is no such token or
// it is empty. For "$PBAR,12.5,-3.1" with ',' token 1 is "12.5" and token 2 is "-3.1"; in
// "1,,2" token 2 is "2".
std::optional<std::string_view> GetNumberField(std::string_view text, int n, char delimiter);

// The token read as a decimal number (the longest leading decimal text; none reads as 0.0) and
// brought into the float range, as the instrument's values are kept.
float NumberFieldAsFloat(std::string_view token);

}  // namespace gradlog
