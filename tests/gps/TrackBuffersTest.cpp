#include "gps/TrackBuffers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <tuple>

#include "support/InstalledFakeServices.h"

namespace gradlog {
namespace {

// The budget is 4 * floor(free / 5): 146000 free gives 116800, 38005 gives 30404.
TEST(TrackBuffersTest, FreeMemorySizesTheBuffers) {
  testing_support::InstalledFakeServices services;
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
    EXPECT_EQ(ReserveTrackBuffers(fresh, SurveySettings{}), step);
    EXPECT_EQ(fresh.maxTrackPositions, positions);
    EXPECT_EQ(fresh.points.Capacity(), entries);
    EXPECT_EQ(fresh.trackBuffersReserved, entries > 0 ? 1 : 0);
  }
  EXPECT_EQ(TrackReductionStep(0), 9);  // no memory at all: the search still ends
}

TEST(TrackBuffersTest, NothingIsReservedTwice) {
  testing_support::InstalledFakeServices services;
  TrackBuffers track;
  services.SetFreeMemory(1'000'000);
  ASSERT_EQ(ReserveTrackBuffers(track, SurveySettings{}), 0);
  ASSERT_TRUE(track.points.Insert({1, 42}));
  services.SetFreeMemory(0);
  EXPECT_EQ(ReserveTrackBuffers(track, SurveySettings{}), 0);
  EXPECT_EQ(track.points.Count(), 1u);  // kept, not reserved afresh
  EXPECT_EQ(track.points.Capacity(), 14600u);
}

// Captions and the stop are checked where the box is shown (tests/app).
TEST(TrackBufferNoticeTest, ReducedStepsSayHowLongTheTrackLasts) {
  EXPECT_FALSE(TrackBufferNoticeFor(0, 14400).has_value());
  EXPECT_EQ(TrackBufferNoticeFor(1, 12600).value().text,
            "Max Number of Positions: 12600\r\n(3.5 hours at 1 position/s)");
  EXPECT_EQ(TrackBufferNoticeFor(6, 3600).value().text,
            "Max Number of Positions: 3600\r\n(1.0 hours at 1 position/s)");
}

}  // namespace
}  // namespace gradlog
