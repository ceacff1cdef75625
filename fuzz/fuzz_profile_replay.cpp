// Any bytes as a data file for the profile replay: at most 84 readings are placed, each in
// its own column from x 167 leftwards, one sensor gives the same G1 curve as two, and the
// file reads the same whatever the size of the blocks it is read in.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "display/ProfileReplayWalk.h"

namespace {

void Check(bool condition) {
  if (!condition)
    abort();
}

gradlog::ReplayOptions Options(std::int32_t sensors) {
  gradlog::ReplayOptions options;
  options.profileMax = 2000.0f;
  options.scales.profilePixelsPerUnit = 0.1075f;
  options.gradSensorCount = sensors;
  return options;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<gradlog::ReplayPiece> two = gradlog::WalkBytesBackwards(bytes, Options(2));

  int placed = 0;
  int lastX = 169;
  for (const gradlog::ReplayPiece& piece : two) {
    Check(!piece.g1.empty());
    Check(piece.g1.size() == piece.g2.size());
    for (std::size_t i = 0; i < piece.g1.size(); ++i) {
      const int x = piece.g1[i].x;
      Check(x == piece.g2[i].x);
      Check(x >= 1 && x <= 167 && x % 2 == 1);
      // Each reading one step left of the one before; a station mark between two pieces adds
      // at least one more.
      if (i > 0)
        Check(x == lastX - 2);
      else
        Check(x <= (placed == 0 ? 167 : lastX - 4));
      lastX = x;
      ++placed;
    }
  }
  Check(placed <= 84);

  const std::vector<gradlog::ReplayPiece> one = gradlog::WalkBytesBackwards(bytes, Options(1));
  Check(one.size() == two.size());
  for (std::size_t i = 0; i < one.size(); ++i) {
    Check(one[i].g1 == two[i].g1);
    Check(one[i].g2.empty());
  }

  const std::size_t block = 1 + size % 5;
  const std::vector<gradlog::ReplayPiece> blocks =
      gradlog::WalkBytesBackwards(bytes, Options(2), block);
  Check(blocks.size() == two.size());
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    Check(blocks[i].g1 == two[i].g1);
    Check(blocks[i].g2 == two[i].g2);
  }
  return 0;
}
