#include "display/SpeedBar.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <vector>

namespace gradlog {
namespace {

constexpr float INF = std::numeric_limits<float>::infinity();
constexpr float NAN_VALUE = std::numeric_limits<float>::quiet_NaN();

TEST(SpeedBarTest, LengthStaysInsideTheBarWhateverTheScale) {
  // speedMax, speed, pixels per unit, curve width, white length.
  const std::vector<std::tuple<float, float, float, int, int>> cases{
      {10.0f, 2.5f, 21.4f, 214, 160},  // (10 - 2.5) x 21.4 = 160.5, truncated
      {10.0f, 0.0f, 21.4f, 214, 214},  // standing still: all white
      {10.0f, 12.0f, 21.4f, 214, 0},   // faster than the scale: all blue
      {10.0f, 2.5f, 1e30f, 214, 214},  // an enormous length is cut to the bar
      {10.0f, 2.5f, INF, 214, 214},    // equal limits (max = min): infinite scale
      {10.0f, 12.0f, INF, 214, 0},     // ... and faster than it
      {10.0f, 10.0f, INF, 214, 214},   // 0 x infinity is NaN: the bar stays empty
      {10.0f, NAN_VALUE, 21.4f, 214, 214},
      {10.0f, 2.5f, 21.4f, -5, 0},  // a broken width draws nothing
  };
  for (const auto& [speedMax, speed, pixelsPerUnit, width, expected] : cases) {
    SCOPED_TRACE(::testing::Message() << speedMax << " " << speed << " " << pixelsPerUnit);
    EXPECT_EQ(SpeedBarWhiteLength(speedMax, speed, pixelsPerUnit, width), expected);
  }
}

}  // namespace
}  // namespace gradlog
