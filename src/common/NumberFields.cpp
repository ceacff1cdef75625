#include "common/NumberFields.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "common/SafeConvert.h"

namespace gradlog {

namespace {

constexpr std::string_view NUMBER_START = "+-.0123456789";
// Only what a decimal number is written with reaches the C conversion, so its hexadecimal,
// "inf" and "nan" forms never apply.
constexpr std::string_view DECIMAL_CHARACTERS = "+-.0123456789eE";

}  // namespace

std::optional<std::string_view> GetNumberField(std::string_view text, int n, char delimiter) {
  if (n < 1)
    return std::nullopt;
  std::size_t start = text.find_first_of(NUMBER_START);
  for (int count = 1; start != std::string_view::npos; ++count) {
    const std::size_t end = std::min(text.find(delimiter, start), text.size());
    if (count == n) {
      // Empty only when the delimiter is itself a number character.
      if (end == start)
        return std::nullopt;
      return text.substr(start, end - start);
    }
    if (end == text.size())
      return std::nullopt;
    start = text.find_first_of(NUMBER_START, end + 1);
  }
  return std::nullopt;
}

float NumberFieldAsFloat(std::string_view token) {
  const std::string decimal(token.substr(0, token.find_first_not_of(DECIMAL_CHARACTERS)));
  return ClampToFloat(std::strtod(decimal.c_str(), nullptr));
}

}  // namespace gradlog
