#include "common/BoxText.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>

namespace gradlog {

std::string BoxText(const char* format, ...) {
  std::array<char, 48> text{};
  std::va_list arguments;
  va_start(arguments, format);
  const int length = std::vsnprintf(text.data(), text.size(), format, arguments);
  va_end(arguments);
  const std::size_t kept = length < 0 ? 0 : std::min<std::size_t>(length, text.size() - 1);
  return std::string(text.data(), kept);
}

}  // namespace gradlog
