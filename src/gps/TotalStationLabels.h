#pragma once

#include <optional>
#include <string_view>

namespace gradlog {

inline constexpr std::string_view TOTAL_STATION_NORTH_LABEL = "37=";
inline constexpr std::string_view TOTAL_STATION_EAST_LABEL = "38=";

// The first good value of `label` in a total-station record ('>' and its label words joined
// by commas): the text up to the next comma, at the instrument's float precision, an empty
// value being 0. The label must begin a word (follow the '>' or a comma), so that a longer
// label ending in the same digits is not taken. A garbled value counts as not given, so a
// later word may still give it: a garbled line must not move the position to a made-up place.
std::optional<double> TotalStationLabelValue(std::string_view record, std::string_view label);

}  // namespace gradlog
