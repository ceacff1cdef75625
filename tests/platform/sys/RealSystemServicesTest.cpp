#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <optional>
#include <string>

#include "platform/sys/RealClock.h"
#include "platform/sys/SystemServices.h"

namespace platform {
namespace {

using namespace std::chrono_literals;

// Sets the process time zone for one test and puts the previous one back.
class TimeZoneGuard {
 public:
  explicit TimeZoneGuard(const char* zone) {
    if (const char* old = getenv("TZ"))
      previous_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TimeZoneGuard() {
    if (previous_)
      setenv("TZ", previous_->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  TimeZoneGuard(const TimeZoneGuard&) = delete;
  TimeZoneGuard& operator=(const TimeZoneGuard&) = delete;

 private:
  std::optional<std::string> previous_;
};

std::time_t WallClockSeconds() {
  return std::chrono::system_clock::to_time_t(
      std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()));
}

TEST(RealClockTest, TicksAreWholeMillisecondsSinceStart) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(TicksBetween(start, start), 0u);
  EXPECT_EQ(TicksBetween(start, start + 1999us), 1u);
  EXPECT_EQ(TicksBetween(start, start + 20 * 24h), 1'728'000'000u);
}

TEST(RealClockTest, TicksWrapAt32Bits) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(TicksBetween(start, start + 4'294'967'295ms), 0xFFFF'FFFFu);
  EXPECT_EQ(TicksBetween(start, start + 4'294'967'296ms), 0u);
  EXPECT_EQ(TicksBetween(start, start + 4'294'967'301ms), 5u);
}

TEST(RealClockTest, LocalTimeFollowsTheTimeZoneAndKeepsMilliseconds) {
  const auto instant =
      std::chrono::sys_days(std::chrono::year(2024) / 2 / 29) + 23h + 59min + 59s + 987ms;
  {
    TimeZoneGuard zone("UTC0");
    const LocalTime t = LocalTimeAt(instant);
    EXPECT_EQ(t.year, 2024);
    EXPECT_EQ(t.month, 2);
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.dayOfWeek, 4);
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 59);
    EXPECT_EQ(t.second, 59);
    EXPECT_EQ(t.millisecond, 987);
  }
  {
    // Three hours east of UTC: the same instant is already 1 March there.
    TimeZoneGuard zone("EAT-3");
    const LocalTime t = LocalTimeAt(instant);
    EXPECT_EQ(t.month, 3);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.dayOfWeek, 5);
    EXPECT_EQ(t.hour, 2);
    EXPECT_EQ(t.millisecond, 987);
  }
}

TEST(RealClockTest, InstantsBefore1970KeepMillisecondsInRange) {
  TimeZoneGuard zone("UTC0");
  const LocalTime t = LocalTimeAt(std::chrono::system_clock::time_point(-250ms));
  EXPECT_EQ(t.year, 1969);
  EXPECT_EQ(t.month, 12);
  EXPECT_EQ(t.day, 31);
  EXPECT_EQ(t.hour, 23);
  EXPECT_EQ(t.second, 59);
  EXPECT_EQ(t.millisecond, 750);
}

TEST(RealSystemServicesTest, TickCountStartsAtCreationAndMovesWithSleep) {
  const auto services = MakeRealSystemServices();
  const std::uint32_t first = services->TickCount();
  // Counted from the object's creation, not the machine's boot; an hour is far beyond any delay.
  EXPECT_LT(first, 3'600'000u);
  services->Sleep(20);
  const std::uint32_t second = services->TickCount();
  EXPECT_GE(second - first, 20u);
}

TEST(RealSystemServicesTest, NowMatchesTheLocalWallClock) {
  TimeZoneGuard zone("EAT-3");
  const auto services = MakeRealSystemServices();
  // Retry until no second boundary falls between the two readings around Now().
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Not std::time(): it may read a coarser clock that lags the one Now() reads.
    const std::time_t before = WallClockSeconds();
    const LocalTime now = services->Now();
    const std::time_t after = WallClockSeconds();
    if (before != after)
      continue;
    std::tm expected{};
    ASSERT_NE(localtime_r(&before, &expected), nullptr);
    EXPECT_EQ(now.year, expected.tm_year + 1900);
    EXPECT_EQ(now.month, expected.tm_mon + 1);
    EXPECT_EQ(now.day, expected.tm_mday);
    EXPECT_EQ(now.dayOfWeek, expected.tm_wday);
    EXPECT_EQ(now.hour, expected.tm_hour);
    EXPECT_EQ(now.minute, expected.tm_min);
    EXPECT_EQ(now.second, expected.tm_sec);
    EXPECT_GE(now.millisecond, 0);
    EXPECT_LE(now.millisecond, 999);
    return;
  }
  FAIL() << "every reading straddled a second boundary";
}

TEST(RealSystemServicesTest, BatteryAndMemoryOfThisMachineAreSensible) {
  const auto services = MakeRealSystemServices();
  const BatteryStatus battery = services->Battery();
  EXPECT_GE(battery.percent, -1);
  EXPECT_LE(battery.percent, 100);
  EXPECT_GT(services->FreeMemoryBytes(), 0u);
}

TEST(RealSystemServicesTest, ResetIdleTimerCallsTheHookWhileOneIsSet) {
  const auto services = MakeRealSystemServices();
  services->ResetIdleTimer();  // no hook yet: nothing happens
  std::atomic<int> calls{0};
  SetIdleTimerHook([&calls] { ++calls; });
  services->ResetIdleTimer();
  services->ResetIdleTimer();
  EXPECT_EQ(calls.load(), 2);
  SetIdleTimerHook({});
  services->ResetIdleTimer();
  EXPECT_EQ(calls.load(), 2);
}

TEST(RealSystemServicesTest, IdleTimerHookMayReplaceItself) {
  const auto services = MakeRealSystemServices();
  std::atomic<int> calls{0};
  SetIdleTimerHook([&calls] {
    ++calls;
    SetIdleTimerHook({});
  });
  services->ResetIdleTimer();
  services->ResetIdleTimer();
  EXPECT_EQ(calls.load(), 1);
}

}  // namespace
}  // namespace platform
