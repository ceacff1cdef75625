#pragma once

#include <string>
#include <vector>

#include "gradsim/Random.h"

namespace gradsim {

// A time span, in seconds since the start, in which a device sends nothing.
struct SilenceWindow {
  double start = 0.0;
  double length = 0.0;  // infinity: silent for good
};

bool IsSilent(const std::vector<SilenceWindow>& windows, double seconds);

struct FaultSettings {
  int garbageEvery = 0;      // garbage bytes after every Nth line; 0: never
  int badChecksumEvery = 0;  // every Nth sentence with a checksum gets a wrong one; 0: never
  bool splitLines = false;   // each line in two or three writes with pauses between
  int mergeLines = 1;        // this many lines in one write
};

// How long a split line pauses between its pieces: longer than the logger's 10 ms GPS read
// time-out, so that the pieces really arrive apart.
inline constexpr double SPLIT_PAUSE_S = 0.03;

// One write to the port and the pause that follows it on top of the bytes' own time.
struct Chunk {
  std::string bytes;
  double pauseAfterS = 0.0;
};

// Turns a device's lines into the writes that carry them, with the faults applied.
class LineShaper {
 public:
  explicit LineShaper(const FaultSettings& faults) : faults_(faults) {}

  std::vector<Chunk> Shape(const std::vector<std::string>& lines, Random& random);

 private:
  void Emit(std::string bytes, std::vector<Chunk>& out, Random& random) const;

  FaultSettings faults_;
  long linesSeen_ = 0;
  long sentencesSeen_ = 0;
  std::string merged_;
  int mergedCount_ = 0;
};

// The line with its "*HH" checksum replaced by a wrong one; unchanged without a checksum.
std::string BreakChecksum(const std::string& line);

// 1 to 8 bytes that cannot start or end a line ('$', '>', CR, LF) and are no flow control.
std::string GarbageBytes(Random& random);

}  // namespace gradsim
