#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace gradlog {

// Field n (1-based) of a delimited sentence: field 1 is the text before the first delimiter
// (the address, e.g. "$GPGGA"), field n the text between the (n-1)-th and the n-th delimiter,
// or everything after the (n-1)-th when there is no n-th. Empty fields give an empty view;
// nullopt when the text has fewer than n - 1 delimiters, is empty, or n is below 1. The view
// points into `text`.
std::optional<std::string_view> GetSentenceField(std::string_view text, std::int32_t n,
                                                 char delimiter = ',');

}  // namespace gradlog
