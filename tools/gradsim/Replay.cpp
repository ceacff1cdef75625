#include "gradsim/Replay.h"

namespace gradsim {

std::vector<std::string> Replay::LogLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
      line.remove_suffix(1);
    if (line.empty() || line.front() == '#')
      continue;
    lines.push_back(std::string(line) + "\r\n");
  }
  return lines;
}

std::string Replay::NextLine() {
  if (lines_.empty())
    return {};
  std::string line = lines_[next_];
  next_ = (next_ + 1) % lines_.size();
  return line;
}

}  // namespace gradsim
