#include "platform/sys/MemoryReader.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>

namespace platform {

namespace {

constexpr std::uint64_t BYTES_PER_KB = 1024;

// The kB value of the line "<key>: <digits> kB", or nothing when absent or malformed.
std::optional<std::uint64_t> FindKilobytes(std::string_view meminfo, std::string_view key) {
  std::size_t lineStart = 0;
  while (lineStart < meminfo.size()) {
    std::size_t lineEnd = meminfo.find('\n', lineStart);
    if (lineEnd == std::string_view::npos)
      lineEnd = meminfo.size();
    std::string_view line = meminfo.substr(lineStart, lineEnd - lineStart);
    lineStart = lineEnd + 1;
    if (!line.starts_with(key) || line.substr(key.size(), 1) != ":")
      continue;
    line.remove_prefix(key.size() + 1);
    line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
    std::uint64_t kilobytes = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), kilobytes);
    const std::string_view unit(end, line.data() + line.size() - end);
    if (error != std::errc() || (unit != " kB" && !unit.empty()))
      return {};
    if (kilobytes > std::numeric_limits<std::uint64_t>::max() / BYTES_PER_KB)
      return {};
    return kilobytes;
  }
  return {};
}

}  // namespace

std::uint64_t ParseAvailableMemoryBytes(std::string_view meminfo) {
  auto kilobytes = FindKilobytes(meminfo, "MemAvailable");
  if (!kilobytes)
    kilobytes = FindKilobytes(meminfo, "MemFree");
  return kilobytes.value_or(0) * BYTES_PER_KB;
}

std::uint64_t ReadAvailableMemoryBytes(const std::filesystem::path& meminfoFile) {
  std::ifstream in(meminfoFile);
  if (!in)
    return 0;
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return ParseAvailableMemoryBytes(text);
}

}  // namespace platform
