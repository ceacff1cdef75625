#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/sys/BatteryReader.h"
#include "platform/sys/FakeSystemServices.h"
#include "platform/sys/LocalTimeArithmetic.h"
#include "platform/sys/MemoryReader.h"
#include "platform/sys/RealClock.h"
#include "support/TempFolder.h"

namespace platform {
namespace {

using namespace std::chrono;

std::string Text(const LocalTime& t) {
  char text[160];
  std::snprintf(text, sizeof text, "%d-%02d-%02d (weekday %d) %02d:%02d:%02d.%03d", t.year, t.month,
                t.day, t.dayOfWeek, t.hour, t.minute, t.second, t.millisecond);
  return text;
}

TEST(FakeClockTest, TicksWrapAt32BitsAndNowCarriesThemIntoTheCalendar) {
  FakeSystemServices fake;
  fake.SetLocalTime({2026, 6, 1, 1, 1, 8, 0, 0});
  fake.Advance(4'294'967'295);  // the most ticks there are: no negative count
  EXPECT_EQ(Text(fake.Now()), Text({2026, 7, 20, 1, 18, 10, 47, 295}));
  fake.Advance(0x11);
  EXPECT_EQ(fake.TickCount(), 0x10u);
  // Fields out of range carry; a leap day is kept; a year ends backwards too.
  EXPECT_EQ(Text(AddMilliseconds({2026, 13, 1, 0, 24, 0, 60, 1000}, 0)),
            Text({2027, 1, 2, 6, 0, 1, 1, 0}));
  EXPECT_EQ(Text(AddMilliseconds({2024, 2, 28, 3, 23, 59, 59, 999}, 1)),
            Text({2024, 2, 29, 4, 0, 0, 0, 0}));
  EXPECT_EQ(Text(AddMilliseconds({2027, 1, 1, 5, 0, 0, 0, 0}, -1)),
            Text({2026, 12, 31, 4, 23, 59, 59, 999}));
  const LocalTime absurd = AddMilliseconds({2'000'000'000, -7, 99, 0, -5, 99, 99, 5000}, 1);
  EXPECT_TRUE(absurd.month >= 1 && absurd.month <= 12 && absurd.day >= 1 && absurd.day <= 31);
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

// A hook that clears itself must not deadlock, and is not called once cleared.
TEST(RealSystemServicesTest, AnIdleTimerHookMayClearItself) {
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

using Supply = std::pair<std::string, std::map<std::string, std::string>>;

Supply Battery(const char* name, const char* capacity, const char* status = "Discharging") {
  return {name, {{"type", "Battery"}, {"capacity", capacity}, {"status", status}}};
}

// A battery that reports only the "charge" or "energy" counters its capacity comes from.
Supply Counters(const std::string& kind, const char* now, const char* full) {
  return {"BAT0", {{"type", "Battery"}, {kind + "_now", now}, {kind + "_full", full}}};
}

// Read from the supplies laid out as the kernel does, one folder each; as fields, so that a
// mismatch says which.
std::tuple<bool, bool, int> Read(const std::vector<Supply>& supplies) {
  const testing_support::TempFolder root;
  for (const auto& [name, attributes] : supplies) {
    for (const auto& [attribute, value] : attributes)
      root.WriteFile(root.Path() / name / attribute, value + "\n");
  }
  const BatteryStatus s = ReadBatteryStatus(root.Path().string());
  return {s.onMains, s.charging, s.percent};
}

TEST(BatteryReaderTest, ReadsMainsAndBatteryState) {
  const Supply mainsOff{"AC", {{"type", "Mains"}, {"online", "0"}}};
  const Supply usbOn{"usb", {{"type", "USB"}, {"online", "1"}}};
  const struct {
    const char* description;
    std::vector<Supply> supplies;
    std::tuple<bool, bool, int> expected;  // on mains, charging, percent
  } cases[] = {
      {"no battery", {}, {true, false, -1}},
      {"battery 57% discharging", {mainsOff, Battery("BAT0", "57")}, {false, false, 57}},
      {"charging without a listed charger", {Battery("BAT1", "40", "Charging")}, {true, true, 40}},
      {"full battery on USB power", {usbOn, Battery("BAT0", "100", "Full")}, {true, false, 100}},
      {"a mouse battery is not the machine's",
       {{"hid-mouse", {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "12"}}}},
       {true, false, -1}},
      {"first battery by name", {Battery("BAT1", "20"), Battery("BAT0", "90")}, {false, false, 90}},
      {"charge counters", {Counters("charge", "1500", "2000")}, {false, false, 75}},
      {"energy counters", {Counters("energy", "10", "40")}, {false, false, 25}},
      {"garbage counters", {Counters("charge", "5", "0")}, {false, false, -1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(Read(c.supplies), c.expected);
  }
  EXPECT_EQ(ReadBatteryStatus("/nonexistent/gradlog/power_supply").percent, -1);
  for (const char* capacity : {"", "abc", "57abc", "-3", "101", "99999999999999999999", "\xff"}) {
    SCOPED_TRACE(std::string("capacity \"") + capacity + "\"");
    EXPECT_EQ(Read({Battery("BAT0", capacity)}), std::tuple(false, false, -1));
  }
}

TEST(MemoryReaderTest, ParsesAvailableMemoryInBytesAndGivesZeroWhenUnreadable) {
  const struct {
    const char* meminfo;
    std::uint64_t expected;
  } cases[] = {
      {"MemTotal: 8038524 kB\nMemFree:  412300 kB\nMemAvailable: 5120000 kB\nCached: 4 kB\n",
       5120000ull * 1024},
      {"MemTotal: 1000 kB\nMemFree: 300 kB\n", 300ull * 1024},  // kernels before MemAvailable
      {"XMemAvailable: 5 kB\nMemAvailableX: 6 kB\nMemFree: 7 kB", 7ull * 1024},
      {"MemTotal: 9 kB\nMemAvailable: 4 kB", 4ull * 1024},  // no final newline
      {"MemAvailable: lots kB\n", 0},
      {"MemAvailable: 12 MB\n", 0},
      {"MemAvailable: 18014398509481984 kB\n", 0},  // 2^54 kB: the bytes overflow 64 bits
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("meminfo \"") + c.meminfo + "\"");
    EXPECT_EQ(ParseAvailableMemoryBytes(c.meminfo), c.expected);
  }
  EXPECT_EQ(ReadAvailableMemoryBytes("/nonexistent/gradlog/meminfo"), 0u);
  EXPECT_GT(ReadAvailableMemoryBytes(MEMINFO_FILE), 0u);
}

}  // namespace
}  // namespace platform
