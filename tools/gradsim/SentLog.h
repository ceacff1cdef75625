#pragma once

#include <filesystem>
#include <fstream>
#include <string_view>

namespace gradsim {

// The lines a device has written whole to its line, one a line without their CR LF and
// flushed at once, so that a test can compare them with what the logger stored while both
// still run.
class SentLog {
 public:
  // Throws std::runtime_error with a message for the user when the file cannot be written.
  explicit SentLog(const std::filesystem::path& file);

  void Add(std::string_view line);

 private:
  std::ofstream out_;
};

}  // namespace gradsim
