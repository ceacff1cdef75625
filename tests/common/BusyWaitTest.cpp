#include <gtest/gtest.h>

#include "common/BusyWait.h"
#include "support/InstalledFakeServices.h"

namespace {

class BusyWaitTest : public ::testing::Test {
 protected:
  testing_support::InstalledFakeServices services;
};

TEST_F(BusyWaitTest, ReturnsOnceMoreThanTheTimeHasPassed) {
  services.SetTickCount(1000);
  EXPECT_EQ(gradlog::BusyWaitMs(100), 1101u);
  EXPECT_EQ(services.TickCount(), 1101u);
}

TEST_F(BusyWaitTest, CountsAcrossTheTickWrap) {
  services.SetTickCount(0xFFFFFFF0u);
  EXPECT_EQ(gradlog::BusyWaitMs(50), 0x23u);
}

TEST_F(BusyWaitTest, ANegativeOrZeroWaitReturnsAtTheNextTick) {
  services.SetTickCount(7);
  EXPECT_EQ(gradlog::BusyWaitMs(0), 8u);
  EXPECT_EQ(gradlog::BusyWaitMs(-5), 8u);
}

}  // namespace
