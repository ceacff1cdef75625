#include "platform/gfx/Region.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <random>
#include <string>

namespace platform {
namespace {

constexpr int GRID = 24;
using Mask = std::array<bool, GRID * GRID>;  // the pixels a region should hold, row by row

Point At(int i) {
  return {i % GRID, i / GRID};
}

// Some rectangles come out empty or inverted on purpose: they hold no pixel.
Rect RandomRect(std::mt19937& random) {
  std::uniform_int_distribution<int> coord(0, GRID);
  return {coord(random), coord(random), coord(random), coord(random)};
}

// Pieces non-empty, disjoint and inside the bounds, and together exactly the mask's pixels.
void ExpectMatches(const Region& region, const Mask& mask, const std::string& step) {
  const auto& rects = region.Rects();
  for (std::size_t i = 0; i < rects.size(); ++i) {
    EXPECT_FALSE(rects[i].IsEmpty()) << step << ": empty piece " << i;
    EXPECT_TRUE(region.Bounds().Contains(rects[i])) << step << ": piece " << i;
    for (std::size_t j = i + 1; j < rects.size(); ++j)
      EXPECT_FALSE(rects[i].Intersects(rects[j])) << step << ": pieces " << i << " and " << j;
  }
  long count = 0;
  for (int i = 0; i < GRID * GRID; ++i) {
    ASSERT_EQ(region.Contains(At(i)), mask[i]) << step << " at " << At(i).x << "," << At(i).y;
    count += mask[i];
  }
  EXPECT_EQ(region.Area(), count) << step;
}

TEST(RegionTest, RandomOperationsKeepPiecesDisjointAndMatchThePixels) {
  std::mt19937 random(12345);
  for (int round = 0; round < 40; ++round) {
    Region region;
    Mask mask{};
    for (int step = 0; step < 12; ++step) {
      const Rect r = RandomRect(random);
      const int op = static_cast<int>(random() % 6);
      const std::string name = "round " + std::to_string(round) + " step " + std::to_string(step) +
                               " op " + std::to_string(op);
      // A second region of two rectangles, for the region-with-region operations.
      Region other(r);
      other.Add(RandomRect(random));
      bool touched = false;
      for (int i = 0; i < GRID * GRID; ++i) {
        const bool inR = r.Contains(At(i));
        touched = touched || (mask[i] && inR);
        const bool ops[] = {mask[i] || inR, mask[i] || other.Contains(At(i)), mask[i] && !inR,
                            mask[i] && inR, mask[i] && other.Contains(At(i)), mask[i]};
        mask[i] = ops[op];
      }
      EXPECT_EQ(region.Intersects(r), touched) << name;
      const std::function<void()> apply[] = {
          [&] { region.Add(r); },           [&] { region.Add(other); },
          [&] { region.Subtract(r); },      [&] { region.Intersect(r); },
          [&] { region.Intersect(other); }, [&] { region.Add(region); }};
      apply[op]();
      ExpectMatches(region, mask, name);
    }
    region.Offset(3, -2);
    for (int i = 0; i < GRID * GRID; ++i)
      ASSERT_EQ(region.Contains({At(i).x + 3, At(i).y - 2}), mask[i]) << "offset, round " << round;
  }
}

}  // namespace
}  // namespace platform
