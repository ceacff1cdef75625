#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

#include "platform/sys/FakeSystemServices.h"
#include "platform/sys/LocalTimeArithmetic.h"
#include "platform/sys/RealClock.h"

namespace platform {
namespace {

using namespace std::chrono;

std::string Text(const LocalTime& t) {
  char text[160];
  std::snprintf(text, sizeof text, "%d-%02d-%02d (weekday %d) %02d:%02d:%02d.%03d", t.year, t.month,
                t.day, t.dayOfWeek, t.hour, t.minute, t.second, t.millisecond);
  return text;
}

TEST(FakeClockTest, NowCarriesTheTicksIntoTheCalendar) {
  const struct {
    const char* description;
    LocalTime base;
    std::uint32_t ticks;
    LocalTime expected;
  } cases[] = {
      {"midnight", {2026, 6, 1, 1, 23, 59, 59, 500}, 600, {2026, 6, 2, 2, 0, 0, 0, 100}},
      {"30-day month", {2026, 6, 30, 2, 12, 0, 0, 0}, 86'400'000, {2026, 7, 1, 3, 12, 0, 0, 0}},
      {"leap year", {2024, 2, 28, 3, 23, 59, 59, 999}, 1, {2024, 2, 29, 4, 0, 0, 0, 0}},
      {"2100 is common", {2100, 2, 28, 0, 12, 0, 0, 0}, 86'400'000, {2100, 3, 1, 1, 12, 0, 0, 0}},
      {"new year", {2026, 12, 31, 4, 23, 59, 59, 999}, 1, {2027, 1, 1, 5, 0, 0, 0, 0}},
      {"most ticks", {2026, 6, 1, 1, 1, 8, 0, 0}, 4'294'967'295, {2026, 7, 20, 1, 18, 10, 47, 295}},
      {"month 13, hour 24", {2026, 13, 1, 0, 24, 0, 60, 1000}, 0, {2027, 1, 2, 6, 0, 1, 1, 0}},
      {"zero date is the day before 1 January", {}, 0, {-1, 11, 30, 2, 0, 0, 0, 0}},
  };
  FakeSystemServices fake;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    fake.SetLocalTime(c.base);
    fake.SetTickCount(0);
    fake.Advance(c.ticks);
    EXPECT_EQ(Text(fake.Now()), Text(c.expected));
  }
  EXPECT_EQ(Text(AddMilliseconds({2027, 1, 1, 5, 0, 0, 0, 0}, -1)),
            Text({2026, 12, 31, 4, 23, 59, 59, 999}));
  const LocalTime absurd = AddMilliseconds({2'000'000'000, -7, 99, 0, -5, 99, 99, 5000}, 1);
  EXPECT_TRUE(absurd.month >= 1 && absurd.month <= 12 && absurd.day >= 1 && absurd.day <= 31);
  fake.SetTickCount(0xFFFF'FFF0u);
  fake.Advance(0x20);
  EXPECT_EQ(fake.TickCount(), 0x10u);
}

TEST(RealClockTest, TicksWrapAt32BitsAndStartAtCreation) {
  const auto start = steady_clock::now();
  EXPECT_EQ(TicksBetween(start, start + 1999us), 1u);
  EXPECT_EQ(TicksBetween(start, start + 4'294'967'295ms), 0xFFFF'FFFFu);
  EXPECT_EQ(TicksBetween(start, start + 4'294'967'301ms), 5u);
  const auto services = MakeRealSystemServices();
  const std::uint32_t first = services->TickCount();
  EXPECT_LT(first, 3'600'000u);  // counted from creation, not from the machine's boot
  services->Sleep(20);
  EXPECT_GE(services->TickCount() - first, 20u);
}

TEST(RealClockTest, LocalTimeFollowsTheTimeZoneAndKeepsMilliseconds) {
  // Three hours east of UTC, no daylight saving; no other test here reads the local time.
  setenv("TZ", "EAT-3", 1);
  tzset();
  const auto instant = sys_days(year(2024) / 2 / 29) + 23h + 59min + 59s + 987ms;
  EXPECT_EQ(Text(LocalTimeAt(instant)), Text({2024, 3, 1, 5, 2, 59, 59, 987}));
  // Before 1970 the millisecond part still counts up from the start of the second.
  EXPECT_EQ(Text(LocalTimeAt(system_clock::time_point(-250ms))),
            Text({1970, 1, 1, 4, 2, 59, 59, 750}));
}

TEST(RealSystemServicesTest, ResetIdleTimerCallsTheHookWhileOneIsSet) {
  const auto services = MakeRealSystemServices();
  services->ResetIdleTimer();  // no hook yet: nothing happens
  std::atomic<int> calls{0};
  // A hook that clears itself must not deadlock, and is not called once cleared.
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
