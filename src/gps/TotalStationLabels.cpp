#include "gps/TotalStationLabels.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace gradlog {

namespace {

// A label's value up to the next comma, at the instrument's float precision; an empty value
// is 0. A value that is not wholly a number a float can hold is no value: a garbled line must
// not move the position to a made-up place.
std::optional<double> ParseValue(std::string_view text) {
  if (text.empty())
    return 0.0;
  // An explicit plus sign is a number's; a sign after it is not.
  if (text.front() == '+' && text.size() > 1 && text[1] != '-')
    text.remove_prefix(1);
  double value = 0.0;
  const char* const end = text.data() + text.size();
  const std::from_chars_result parsed = std::from_chars(text.data(), end, value);
  if (parsed.ec != std::errc() || parsed.ptr != end || !std::isfinite(value) ||
      std::abs(value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  return static_cast<double>(static_cast<float>(value));
}

}  // namespace

std::optional<double> TotalStationLabelValue(std::string_view record, std::string_view label) {
  for (std::size_t at = record.find(label); at != std::string_view::npos;
       at = record.find(label, at + 1)) {
    if (at == 0 || (record[at - 1] != '>' && record[at - 1] != ','))
      continue;
    const std::string_view rest = record.substr(at + label.size());
    if (const std::optional<double> value = ParseValue(rest.substr(0, rest.find(','))))
      return value;
  }
  return std::nullopt;
}

}  // namespace gradlog
