#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The recorded receivers' logs kept with the tests, without their note lines, each line
// ending in CR LF as on the wire, repeated until they hold at least `sentences` lines.
inline std::string RecordedNmeaStream(std::size_t sentences) {
  std::vector<std::string> lines;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(GRADLOG_SOURCE_DIR) / "tests" / "gps" / "nmea")) {
    if (entry.path().extension() != ".log")
      continue;
    std::ifstream file(entry.path());
    for (std::string line; std::getline(file, line);) {
      while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
      if (!line.empty() && line[0] == '$')
        lines.push_back(line + "\r\n");
    }
  }
  std::string stream;
  for (std::size_t count = 0; !lines.empty() && count < sentences;) {
    for (const std::string& line : lines)
      stream += line;
    count += lines.size();
  }
  return stream;
}
