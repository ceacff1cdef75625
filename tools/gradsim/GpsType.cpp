#include "gradsim/GpsType.h"

#include <array>
#include <cctype>

namespace gradsim {

namespace {

constexpr std::array<std::string_view, GPS_TYPE_COUNT> NAMES = {
    "GGA/GSA", "GGA", "POS", "LLK", "LLQ", "GLL", "GGK", "Leica TPS", "RTS Trimble"};

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

std::string_view GpsTypeName(GpsType type) {
  return NAMES[static_cast<std::size_t>(type)];
}

std::optional<GpsType> ParseGpsType(std::string_view text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + GPS_TYPE_COUNT)
    return static_cast<GpsType>(text[0] - '0');
  for (std::size_t i = 0; i < NAMES.size(); ++i) {
    if (EqualIgnoringCase(text, NAMES[i]))
      return static_cast<GpsType>(i);
  }
  return std::nullopt;
}

}  // namespace gradsim
