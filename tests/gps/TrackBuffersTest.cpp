#include "gps/TrackBuffers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <tuple>

#include "support/InstalledFakeServices.h"

namespace gradlog {
namespace {

class TrackBuffersTest : public ::testing::Test {
 protected:
  testing_support::InstalledFakeServices services;
  SurveySettings settings;
  TrackBuffers track;
};

TEST(TrackReductionStepTest, EachStepNeedsABudgetStrictlyAboveItsNeed) {
  const std::pair<std::uint64_t, int> cases[] = {
      {116801, 0}, {116800, 1}, {30401, 6}, {30400, 7}, {0, 9}};
  for (const auto& [budget, step] : cases) {
    EXPECT_EQ(TrackReductionStep(budget), step) << "budget " << budget;
  }
}

// The budget is 4 * floor(free / 5): 146000 free gives 116800, 38005 gives 30404.
TEST_F(TrackBuffersTest, FreeMemorySizesTheBuffers) {
  // Free bytes, reduction step, positions, buffer entries (0: nothing reserved).
  const std::tuple<std::uint64_t, int, std::int32_t, std::size_t> cases[] = {
      {146005, 0, 14400, 14600},
      {std::numeric_limits<std::uint64_t>::max(), 0, 14400, 14600},
      {146000, 1, 12600, 12800},
      {38005, 6, 3600, 3800},
      {38004, 7, 1800, 0}};
  for (const auto& [freeBytes, step, positions, entries] : cases) {
    SCOPED_TRACE("free bytes " + std::to_string(freeBytes));
    TrackBuffers fresh;
    services.SetFreeMemory(freeBytes);
    EXPECT_EQ(ReserveTrackBuffers(fresh, settings), step);
    EXPECT_EQ(fresh.maxTrackPositions, positions);
    EXPECT_EQ(fresh.trackX.size(), entries);
    EXPECT_EQ(fresh.trackY.size(), entries);
    EXPECT_EQ(fresh.trackBuffersReserved, entries > 0 ? 1 : 0);
  }
}

TEST_F(TrackBuffersTest, NothingIsReservedTwice) {
  services.SetFreeMemory(1'000'000);
  ASSERT_EQ(ReserveTrackBuffers(track, settings), 0);
  track.trackX[5] = 42;
  services.SetFreeMemory(0);
  EXPECT_EQ(ReserveTrackBuffers(track, settings), 0);
  EXPECT_EQ(track.trackX[5], 42);  // kept, not reserved afresh
}

TEST(TrackBufferNoticeTest, ReducedStepsWarnAndTooLittleMemoryStops) {
  const std::optional<TrackBufferNotice> one = TrackBufferNoticeFor(1, 12600);
  const std::optional<TrackBufferNotice> six = TrackBufferNoticeFor(6, 3600);
  const std::optional<TrackBufferNotice> stop = TrackBufferNoticeFor(7, 1800);
  ASSERT_TRUE(one && six && stop);
  EXPECT_EQ(one->caption, "WARNING");
  EXPECT_EQ(one->text, "Max Number of Positions: 12600\r\n(3.5 hours at 1 position/s)");
  EXPECT_FALSE(one->fatal);
  EXPECT_EQ(six->text, "Max Number of Positions: 3600\r\n(1.0 hours at 1 position/s)");
  EXPECT_EQ(stop->caption, "PROGRAM STOP");
  EXPECT_EQ(stop->text, "Not enough memory to run this program\r\n");
  EXPECT_TRUE(stop->fatal);
  EXPECT_FALSE(TrackBufferNoticeFor(0, 14400).has_value());
  EXPECT_FALSE(TrackBufferNoticeFor(-1, 14400).has_value());
}

}  // namespace
}  // namespace gradlog
