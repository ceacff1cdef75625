#include "gps/SentenceFields.h"

namespace gradlog {

std::optional<std::string_view> GetSentenceField(std::string_view text, std::int32_t n,
                                                 char delimiter) {
  if (n < 1 || text.empty())
    return std::nullopt;
  std::size_t start = 0;
  for (std::int32_t passed = 1; passed < n; ++passed) {
    const std::size_t next = text.find(delimiter, start);
    if (next == std::string_view::npos)
      return std::nullopt;
    start = next + 1;
  }
  const std::size_t end = text.find(delimiter, start);
  return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

}  // namespace gradlog
