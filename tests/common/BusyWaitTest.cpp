#include <gtest/gtest.h>

#include <tuple>

#include "common/BusyWait.h"
#include "support/InstalledFakeServices.h"

namespace {

// Start tick, wait in ms, the tick it returns at: the first one past the wait (a negative
// wait is past at once).
TEST(BusyWaitTest, ReturnsOnceMoreThanTheTimeHasPassedEvenAcrossTheTickWrap) {
  testing_support::InstalledFakeServices services;
  const std::tuple<std::uint32_t, std::int32_t, std::uint32_t> cases[] = {
      {1000, 100, 1101}, {0xFFFFFFF0u, 50, 0x23u}, {7, 0, 8}, {7, -5, 7}};
  for (const auto& [start, ms, end] : cases) {
    services.SetTickCount(start);
    EXPECT_EQ(gradlog::BusyWaitMs(ms), end) << start << " + " << ms;
  }
}

}  // namespace
