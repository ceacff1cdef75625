#include "gradsim/Faults.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace gradsim {

namespace {
constexpr char XON = 0x11;
constexpr char XOFF = 0x13;
}  // namespace

bool IsSilent(const std::vector<SilenceWindow>& windows, double seconds) {
  for (const SilenceWindow& window : windows) {
    if (seconds >= window.start && seconds - window.start < window.length)
      return true;
  }
  return false;
}

std::string BreakChecksum(const std::string& line) {
  const std::size_t star = line.rfind('*');
  if (star == std::string::npos || star + 2 >= line.size() ||
      !std::isxdigit(static_cast<unsigned char>(line[star + 1])) ||
      !std::isxdigit(static_cast<unsigned char>(line[star + 2])))
    return line;
  const unsigned value =
      static_cast<unsigned>(std::strtoul(line.substr(star + 1, 2).c_str(), nullptr, 16));
  char digits[4];
  std::snprintf(digits, sizeof digits, "%02X", (value ^ 0x5Au) & 0xFFu);
  std::string broken = line;
  broken.replace(star + 1, 2, digits);
  return broken;
}

std::string GarbageBytes(Random& random) {
  std::string bytes;
  const int count = random.Integer(1, 8);
  while (static_cast<int>(bytes.size()) < count) {
    const char c = static_cast<char>(random.Integer(1, 255));
    if (c != '$' && c != '>' && c != '\r' && c != '\n' && c != XON && c != XOFF)
      bytes += c;
  }
  return bytes;
}

std::vector<Chunk> LineShaper::Shape(const std::vector<std::string>& lines, Random& random) {
  std::vector<Chunk> chunks;
  for (const std::string& line : lines) {
    ++linesSeen_;
    std::string bytes = line;
    if (faults_.badChecksumEvery > 0 && line.find('*') != std::string::npos &&
        ++sentencesSeen_ % faults_.badChecksumEvery == 0)
      bytes = BreakChecksum(bytes);
    if (faults_.garbageEvery > 0 && linesSeen_ % faults_.garbageEvery == 0)
      bytes += GarbageBytes(random);
    merged_ += bytes;
    if (++mergedCount_ >= faults_.mergeLines) {
      Emit(std::move(merged_), chunks, random);
      merged_.clear();
      mergedCount_ = 0;
    }
  }
  return chunks;
}

void LineShaper::Emit(std::string bytes, std::vector<Chunk>& out, Random& random) const {
  if (!faults_.splitLines || bytes.size() < 2) {
    out.push_back({std::move(bytes), 0.0});
    return;
  }
  const int pieces = std::min(static_cast<int>(bytes.size()), random.Integer(2, 3));
  std::size_t start = 0;
  for (int piece = 1; piece < pieces; ++piece) {
    // Leave at least one byte for each piece still to come.
    const std::size_t latest = bytes.size() - static_cast<std::size_t>(pieces - piece);
    const auto end = static_cast<std::size_t>(
        random.Integer(static_cast<int>(start) + 1, static_cast<int>(latest)));
    out.push_back({bytes.substr(start, end - start), SPLIT_PAUSE_S});
    start = end;
  }
  out.push_back({bytes.substr(start), 0.0});
}

}  // namespace gradsim
