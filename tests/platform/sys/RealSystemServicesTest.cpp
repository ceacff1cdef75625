#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <optional>
#include <string>

#include "platform/sys/LocalTimeCheck.h"
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

 private:
  std::optional<std::string> previous_;
};

TEST(RealClockTest, TicksWrapAt32Bits) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(TicksBetween(start, start + 1999us), 1u);
  EXPECT_EQ(TicksBetween(start, start + 4'294'967'295ms), 0xFFFF'FFFFu);
  EXPECT_EQ(TicksBetween(start, start + 4'294'967'301ms), 5u);
}

TEST(RealClockTest, LocalTimeFollowsTheTimeZoneAndKeepsMilliseconds) {
  const auto instant =
      std::chrono::sys_days(std::chrono::year(2024) / 2 / 29) + 23h + 59min + 59s + 987ms;
  {
    TimeZoneGuard zone("UTC0");
    ExpectSameTime(LocalTimeAt(instant), At(2024, 2, 29, 4, 23, 59, 59, 987));
    // Before 1970 the millisecond part still counts up from the start of the second.
    ExpectSameTime(LocalTimeAt(std::chrono::system_clock::time_point(-250ms)),
                   At(1969, 12, 31, 3, 23, 59, 59, 750));
  }
  {
    TimeZoneGuard zone("EAT-3");  // three hours east: already 1 March there
    ExpectSameTime(LocalTimeAt(instant), At(2024, 3, 1, 5, 2, 59, 59, 987));
  }
}

TEST(RealSystemServicesTest, TickCountStartsAtCreationAndMovesWithSleep) {
  const auto services = MakeRealSystemServices();
  const std::uint32_t first = services->TickCount();
  // Counted from the object's creation, not the machine's boot; an hour is far beyond any delay.
  EXPECT_LT(first, 3'600'000u);
  services->Sleep(20);
  EXPECT_GE(services->TickCount() - first, 20u);
}

TEST(RealSystemServicesTest, NowMatchesTheLocalWallClock) {
  TimeZoneGuard zone("EAT-3");
  const auto services = MakeRealSystemServices();
  const auto wallSeconds = [] {
    // Not std::time(): it may read a coarser clock that lags the one Now() reads.
    return std::chrono::system_clock::to_time_t(
        std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()));
  };
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::time_t before = wallSeconds();
    const LocalTime now = services->Now();
    if (before != wallSeconds())
      continue;  // a second boundary fell between the readings
    std::tm f{};
    ASSERT_NE(localtime_r(&before, &f), nullptr);
    EXPECT_TRUE(now.millisecond >= 0 && now.millisecond <= 999);
    ExpectSameTime(now, At(f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_wday, f.tm_hour,
                           f.tm_min, f.tm_sec, now.millisecond));
    return;
  }
  FAIL() << "every reading straddled a second boundary";
}

TEST(RealSystemServicesTest, ResetIdleTimerCallsTheHookWhileOneIsSet) {
  const auto services = MakeRealSystemServices();
  services->ResetIdleTimer();  // no hook yet: nothing happens
  std::atomic<int> calls{0};
  SetIdleTimerHook([&calls] { ++calls; });
  services->ResetIdleTimer();
  EXPECT_EQ(calls.load(), 1);
  // A hook that clears itself must not deadlock.
  SetIdleTimerHook([&calls] {
    calls += 10;
    SetIdleTimerHook({});
  });
  services->ResetIdleTimer();
  services->ResetIdleTimer();
  EXPECT_EQ(calls.load(), 11);
}

}  // namespace
}  // namespace platform
