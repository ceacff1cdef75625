#include "platform/gfx/Region.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

namespace platform {
namespace {

constexpr int GRID = 24;

// A pixel mask that follows the same operations as the region under test.
struct Mask {
  std::array<std::array<bool, GRID>, GRID> on{};

  void Set(const Rect& r, bool value) {
    for (int y = 0; y < GRID; ++y) {
      for (int x = 0; x < GRID; ++x) {
        if (r.Contains(Point{x, y}))
          on[y][x] = value;
      }
    }
  }
  void KeepOnly(const Rect& r) {
    for (int y = 0; y < GRID; ++y) {
      for (int x = 0; x < GRID; ++x) {
        if (!r.Contains(Point{x, y}))
          on[y][x] = false;
      }
    }
  }
  long Count() const {
    long n = 0;
    for (const auto& row : on) {
      for (bool b : row)
        n += b;
    }
    return n;
  }
};

Rect RandomRect(std::mt19937& random) {
  std::uniform_int_distribution<int> coord(0, GRID);
  const int x0 = coord(random);
  const int y0 = coord(random);
  const int x1 = coord(random);
  const int y1 = coord(random);
  // Some come out empty or inverted on purpose: those must change nothing when added.
  return {x0, y0, x1, y1};
}

// The invariants every region must keep: pieces non-empty and disjoint, and together
// exactly the pixels of the mask.
void ExpectMatches(const Region& region, const Mask& mask, const std::string& step) {
  const auto& rects = region.Rects();
  for (std::size_t i = 0; i < rects.size(); ++i) {
    EXPECT_FALSE(rects[i].IsEmpty()) << step << ": empty piece " << i;
    for (std::size_t j = i + 1; j < rects.size(); ++j) {
      EXPECT_FALSE(rects[i].Intersects(rects[j])) << step << ": pieces " << i << " and " << j;
    }
  }
  for (int y = 0; y < GRID; ++y) {
    for (int x = 0; x < GRID; ++x) {
      ASSERT_EQ(region.Contains({x, y}), mask.on[y][x]) << step << " at " << x << "," << y;
    }
  }
  EXPECT_EQ(region.Area(), mask.Count()) << step;
  EXPECT_EQ(region.IsEmpty(), mask.Count() == 0) << step;
}

TEST(RegionTest, RandomOperationsKeepPiecesDisjointAndMatchThePixels) {
  std::mt19937 random(12345);
  for (int round = 0; round < 40; ++round) {
    Region region;
    Mask mask;
    for (int step = 0; step < 12; ++step) {
      const Rect r = RandomRect(random);
      const int op = static_cast<int>(random() % 4);
      const std::string name = "round " + std::to_string(round) + " step " + std::to_string(step) +
                               " op " + std::to_string(op);
      if (op == 0 || op == 1) {
        region.Add(r);
        if (!r.IsEmpty())
          mask.Set(r, true);
      } else if (op == 2) {
        region.Subtract(r);
        if (!r.IsEmpty())
          mask.Set(r, false);
      } else {
        region.Intersect(r);
        mask.KeepOnly(r.IsEmpty() ? Rect{} : r);
      }
      ExpectMatches(region, mask, name);
    }
  }
}

TEST(RegionTest, IntersectWithARegionKeepsCommonPixelsAndSelfAddChangesNothing) {
  std::mt19937 random(777);
  for (int round = 0; round < 30; ++round) {
    Region a;
    Region b;
    Mask both;
    Mask onlyA;
    for (int i = 0; i < 4; ++i) {
      const Rect ra = RandomRect(random);
      a.Add(ra);
      if (!ra.IsEmpty())
        onlyA.Set(ra, true);
      b.Add(RandomRect(random));
    }
    a.Add(a);
    ExpectMatches(a, onlyA, "self add, round " + std::to_string(round));
    for (int y = 0; y < GRID; ++y) {
      for (int x = 0; x < GRID; ++x)
        both.on[y][x] = onlyA.on[y][x] && b.Contains({x, y});
    }
    a.Intersect(b);
    ExpectMatches(a, both, "round " + std::to_string(round));
    a.Offset(3, -2);
    for (int y = 0; y < GRID; ++y) {
      for (int x = 0; x < GRID; ++x)
        ASSERT_EQ(a.Contains({x + 3, y - 2}), both.on[y][x]);
    }
    for (const Rect& r : a.Rects())
      EXPECT_TRUE(a.Bounds().Contains(r));
  }
}

}  // namespace
}  // namespace platform
