#pragma once

#include <cctype>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gradsim::testing {

// The channel values of a '$PBAR' line (without CR LF) written with two decimals, or
// nothing when the line is not one.
inline std::optional<std::vector<double>> PbarValues(std::string_view line) {
  constexpr std::string_view TAG = "$PBAR";
  if (!line.starts_with(TAG))
    return std::nullopt;
  line.remove_prefix(TAG.size());
  std::vector<double> values;
  while (!line.empty()) {
    if (line.front() != ',')
      return std::nullopt;
    line.remove_prefix(1);
    const std::size_t end = std::min(line.find(','), line.size());
    const std::string field(line.substr(0, end));
    const std::size_t point = field.find('.');
    const std::size_t digitsFrom = field.starts_with('-') ? 1 : 0;
    const auto allDigits = [](std::string_view s) {
      return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (point == std::string::npos || field.size() - point != 3 ||
        !allDigits(std::string_view(field).substr(digitsFrom, point - digitsFrom)) ||
        !allDigits(std::string_view(field).substr(point + 1)))
      return std::nullopt;
    values.push_back(std::strtod(field.c_str(), nullptr));
    line.remove_prefix(end);
  }
  return values;
}

}  // namespace gradsim::testing
