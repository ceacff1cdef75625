#include "gps/TrackBuffers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "platform/sys/FakeSystemServices.h"

namespace gradlog {
namespace {

class TrackBuffersTest : public ::testing::Test {
 protected:
  TrackBuffersTest() { platform::InstallServices(&services); }
  ~TrackBuffersTest() override { platform::InstallServices(nullptr); }

  // Free memory F whose budget 4 * floor(F / 5) is exactly `budget` (a multiple of 4).
  void SetBudget(std::uint64_t budget) { services.SetFreeMemory(budget / 4 * 5); }

  platform::FakeSystemServices services;
  std::unique_ptr<AppState> app = std::make_unique<AppState>();
};

TEST_F(TrackBuffersTest, LargeBudgetReservesFullSizeBuffers) {
  for (const std::uint64_t freeBytes :
       {std::uint64_t{146005}, std::uint64_t{1} << 40, std::numeric_limits<std::uint64_t>::max()}) {
    SCOPED_TRACE("free bytes " + std::to_string(freeBytes));
    auto state = std::make_unique<AppState>();
    services.SetFreeMemory(freeBytes);
    EXPECT_EQ(ReserveTrackBuffers(*state), 0);
    EXPECT_EQ(state->maxTrackPositions, 14400);
    EXPECT_EQ(state->trackX.size(), 14600u);
    EXPECT_EQ(state->trackY.size(), 14600u);
    EXPECT_EQ(state->trackBuffersReserved, 1);
  }
}

TEST_F(TrackBuffersTest, EachStepNeedsABudgetStrictlyAboveItsNeed) {
  // At a budget equal to the need of step k - 1, step k is chosen: B = 116800 gives step 1.
  for (int k = 1; k <= 6; ++k) {
    SCOPED_TRACE("step " + std::to_string(k));
    auto state = std::make_unique<AppState>();
    SetBudget(8 * (14600 - 1800 * (k - 1)));
    EXPECT_EQ(ReserveTrackBuffers(*state), k);
    EXPECT_EQ(state->maxTrackPositions, 14400 - 1800 * k);
    EXPECT_EQ(state->trackBufferSize, 14600 - 1800 * k);
    EXPECT_EQ(state->trackX.size(), static_cast<std::size_t>(14600 - 1800 * k));
    EXPECT_EQ(state->trackY.size(), static_cast<std::size_t>(14600 - 1800 * k));
  }
  // F = 38004 gives B = 30400, step 6's need: too little. F = 38005 gives B = 30404, the
  // smallest budget above it that 4 * floor(F / 5) can take.
  services.SetFreeMemory(38004);
  EXPECT_EQ(ReserveTrackBuffers(*app), 7);
  EXPECT_EQ(app->trackBuffersReserved, 0);
  EXPECT_TRUE(app->trackX.empty());
  EXPECT_TRUE(app->trackY.empty());
  services.SetFreeMemory(38005);
  EXPECT_EQ(ReserveTrackBuffers(*app), 6);
  EXPECT_EQ(app->maxTrackPositions, 3600);
  EXPECT_EQ(app->trackX.size(), 3800u);

  auto none = std::make_unique<AppState>();
  services.SetFreeMemory(0);
  EXPECT_EQ(ReserveTrackBuffers(*none), 9);
  EXPECT_TRUE(none->trackX.empty());
}

TEST(TrackReductionStepTest, TheTestIsStrictAtEveryBoundary) {
  EXPECT_EQ(TrackReductionStep(116801), 0);
  EXPECT_EQ(TrackReductionStep(116800), 1);
  EXPECT_EQ(TrackReductionStep(30401), 6);
  EXPECT_EQ(TrackReductionStep(30400), 7);
  EXPECT_EQ(TrackReductionStep(0), 9);
}

TEST_F(TrackBuffersTest, NothingIsReservedTwiceOrWithoutGps) {
  SetBudget(1'000'000);
  ASSERT_EQ(ReserveTrackBuffers(*app), 0);
  app->trackX[5] = 42;
  services.SetFreeMemory(0);
  EXPECT_EQ(ReserveTrackBuffers(*app), 0);
  EXPECT_EQ(app->trackX.size(), 14600u);
  EXPECT_EQ(app->trackX[5], 42);

  auto noGps = std::make_unique<AppState>();
  noGps->settings.gpsInput = 0;
  EXPECT_EQ(ReserveTrackBuffers(*noGps), 0);
  EXPECT_EQ(noGps->trackBuffersReserved, 0);
  EXPECT_TRUE(noGps->trackX.empty());
}

TEST_F(TrackBuffersTest, MapGeometryComesFromTheCurveArea) {
  app->settings.gpsInput = 0;
  app->curveWidth = 115;
  app->curveHeight = 75;
  app->settings.mapScale = 4;
  app->settings.speedMin = 1.0f;
  app->settings.speedMax = 5.0f;
  ReserveTrackBuffers(*app);
  EXPECT_EQ(app->mapExtent, 112);
  EXPECT_EQ(app->mapHalfWidth, 56);
  EXPECT_EQ(app->mapHalfHeight, 36);
  EXPECT_DOUBLE_EQ(app->mapPixelsPerUnit, 28.0);
  EXPECT_FLOAT_EQ(app->speedPixelsPerUnit, 28.75f);

  // A scale below 1 (hand-edited file) is taken as 1, as the map scale dialog corrects it.
  app->curveWidth = 215;
  for (const std::int32_t scale : {0, -5, std::numeric_limits<std::int32_t>::min()}) {
    SCOPED_TRACE("map scale " + std::to_string(scale));
    app->settings.mapScale = scale;
    app->settings.speedMax = app->settings.speedMin;
    ReserveTrackBuffers(*app);
    EXPECT_DOUBLE_EQ(app->mapPixelsPerUnit, 212.0);
    EXPECT_EQ(app->settings.mapScale, scale);
    EXPECT_TRUE(std::isinf(app->speedPixelsPerUnit));
  }
}

TEST(TrackBufferNoticeTest, ReducedStepsWarnAndTooLittleMemoryStops) {
  const std::optional<TrackBufferNotice> one = TrackBufferNoticeFor(1, 12600);
  ASSERT_TRUE(one.has_value());
  EXPECT_EQ(one->caption, "WARNING");
  EXPECT_EQ(one->text, "Max Number of Positions: 12600\r\n(3.5 hours at 1 position/s)");
  EXPECT_FALSE(one->fatal);
  const std::optional<TrackBufferNotice> three = TrackBufferNoticeFor(3, 9000);
  ASSERT_TRUE(three.has_value());
  EXPECT_EQ(three->text, "Max Number of Positions: 9000\r\n(2.5 hours at 1 position/s)");
  const std::optional<TrackBufferNotice> six = TrackBufferNoticeFor(6, 3600);
  ASSERT_TRUE(six.has_value());
  EXPECT_EQ(six->text, "Max Number of Positions: 3600\r\n(1.0 hours at 1 position/s)");

  for (const int k : {7, 9}) {
    const std::optional<TrackBufferNotice> stop = TrackBufferNoticeFor(k, 1800);
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(stop->caption, "PROGRAM STOP");
    EXPECT_EQ(stop->text, "Not enough memory to run this program\r\n");
    EXPECT_TRUE(stop->fatal);
  }
  EXPECT_FALSE(TrackBufferNoticeFor(0, 14400).has_value());
  EXPECT_FALSE(TrackBufferNoticeFor(-1, 14400).has_value());
}

}  // namespace
}  // namespace gradlog
