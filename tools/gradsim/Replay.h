#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gradsim {

// A recorded NMEA log played line by line, from the start again after the last line.
class Replay {
 public:
  // The lines of a log's text: '#' notes and empty lines left out, each line ending CR LF.
  static std::vector<std::string> LogLines(std::string_view text);

  explicit Replay(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  bool Empty() const { return lines_.empty(); }
  std::string NextLine();

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

}  // namespace gradsim
