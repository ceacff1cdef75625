#include "platform/sys/LocalTimeArithmetic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "platform/sys/FakeSystemServices.h"

namespace platform {
namespace {

std::string Describe(const LocalTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d (wd %d) %02d:%02d:%02d.%03d", t.year, t.month,
                t.day, t.dayOfWeek, t.hour, t.minute, t.second, t.millisecond);
  return text;
}

LocalTime At(int year, int month, int day, int hour, int minute, int second, int millisecond) {
  LocalTime t;
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  t.millisecond = millisecond;
  return t;
}

// Compares every field, the day of the week included, and names the one that differs.
void ExpectSameTime(const LocalTime& actual, const LocalTime& expected) {
  SCOPED_TRACE("actual " + Describe(actual) + ", expected " + Describe(expected));
  EXPECT_EQ(actual.year, expected.year);
  EXPECT_EQ(actual.month, expected.month);
  EXPECT_EQ(actual.day, expected.day);
  EXPECT_EQ(actual.dayOfWeek, expected.dayOfWeek);
  EXPECT_EQ(actual.hour, expected.hour);
  EXPECT_EQ(actual.minute, expected.minute);
  EXPECT_EQ(actual.second, expected.second);
  EXPECT_EQ(actual.millisecond, expected.millisecond);
}

LocalTime WithWeekday(LocalTime t, int dayOfWeek) {
  t.dayOfWeek = dayOfWeek;
  return t;
}

struct CarryCase {
  const char* description;
  LocalTime base;
  std::int64_t ms;
  LocalTime expected;
};

TEST(LocalTimeArithmeticTest, CarriesThroughEveryField) {
  const CarryCase cases[] = {
      {"milliseconds stay below a second", At(2026, 6, 1, 1, 8, 0, 0), 999,
       WithWeekday(At(2026, 6, 1, 1, 8, 0, 999), 1)},
      {"milliseconds carry into seconds", At(2026, 6, 1, 1, 8, 0, 999), 1,
       WithWeekday(At(2026, 6, 1, 1, 8, 1, 0), 1)},
      {"seconds carry into minutes", At(2026, 6, 1, 1, 8, 59, 900), 200,
       WithWeekday(At(2026, 6, 1, 1, 9, 0, 100), 1)},
      {"minutes carry into hours", At(2026, 6, 1, 1, 59, 59, 999), 1,
       WithWeekday(At(2026, 6, 1, 2, 0, 0, 0), 1)},
      {"midnight starts the next day", At(2026, 6, 1, 23, 59, 59, 500), 600,
       WithWeekday(At(2026, 6, 2, 0, 0, 0, 100), 2)},
      {"30-day month rolls over", At(2026, 6, 30, 12, 0, 0, 0), 86'400'000,
       WithWeekday(At(2026, 7, 1, 12, 0, 0, 0), 3)},
      {"31-day month rolls over", At(2026, 1, 31, 23, 0, 0, 0), 3'600'000,
       WithWeekday(At(2026, 2, 1, 0, 0, 0, 0), 0)},
      {"leap year has 29 February", At(2024, 2, 28, 23, 59, 59, 999), 1,
       WithWeekday(At(2024, 2, 29, 0, 0, 0, 0), 4)},
      {"common year goes from 28 February to March", At(2023, 2, 28, 23, 59, 59, 999), 1,
       WithWeekday(At(2023, 3, 1, 0, 0, 0, 0), 3)},
      {"century not divisible by 400 is common", At(2100, 2, 28, 12, 0, 0, 0), 86'400'000,
       WithWeekday(At(2100, 3, 1, 12, 0, 0, 0), 1)},
      {"century divisible by 400 is leap", At(2000, 2, 28, 12, 0, 0, 0), 86'400'000,
       WithWeekday(At(2000, 2, 29, 12, 0, 0, 0), 2)},
      {"new year", At(2026, 12, 31, 23, 59, 59, 999), 1,
       WithWeekday(At(2027, 1, 1, 0, 0, 0, 0), 5)},
      {"largest tick count, 49 days 17:02:47.295", At(2026, 6, 1, 1, 8, 0, 0), 4'294'967'295,
       WithWeekday(At(2026, 7, 20, 18, 10, 47, 295), 1)},
      {"negative offsets go back across the year", At(2027, 1, 1, 0, 0, 0, 0), -1,
       WithWeekday(At(2026, 12, 31, 23, 59, 59, 999), 4)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    ExpectSameTime(AddMilliseconds(c.base, c.ms), c.expected);
  }
}

TEST(LocalTimeArithmeticTest, OutOfRangeBaseFieldsAreCarriedNotCrashedOn) {
  ExpectSameTime(AddMilliseconds(At(2026, 13, 1, 0, 0, 0, 0), 0),
                 WithWeekday(At(2027, 1, 1, 0, 0, 0, 0), 5));
  ExpectSameTime(AddMilliseconds(At(2026, 3, 0, 0, 0, 0, 0), 0),
                 WithWeekday(At(2026, 2, 28, 0, 0, 0, 0), 6));
  ExpectSameTime(AddMilliseconds(At(2026, 6, 1, 24, 0, 60, 1000), 0),
                 WithWeekday(At(2026, 6, 2, 0, 1, 1, 0), 2));
  // Month 0 is December of the year before and day 0 the last day of the month before.
  ExpectSameTime(AddMilliseconds(LocalTime{}, 0), WithWeekday(At(-1, 11, 30, 0, 0, 0, 0), 2));
  const LocalTime absurd = AddMilliseconds(At(2'000'000'000, -7, 99, -5, 99, 99, 5000), 1);
  EXPECT_GE(absurd.month, 1) << Describe(absurd);
  EXPECT_LE(absurd.month, 12) << Describe(absurd);
  EXPECT_GE(absurd.day, 1) << Describe(absurd);
  EXPECT_LE(absurd.day, 31) << Describe(absurd);
}

// An independent oracle: the C library's UTC calendar, stepping an odd stride across years.
TEST(LocalTimeArithmeticTest, AgreesWithTheCLibraryCalendarOverManyYears) {
  const LocalTime base = At(1999, 12, 31, 22, 30, 15, 250);
  std::tm baseFields{};
  baseFields.tm_year = base.year - 1900;
  baseFields.tm_mon = base.month - 1;
  baseFields.tm_mday = base.day;
  baseFields.tm_hour = base.hour;
  baseFields.tm_min = base.minute;
  baseFields.tm_sec = base.second;
  const std::time_t baseTime = timegm(&baseFields);
  constexpr std::int64_t STRIDE = 3'607'654'321;  // about 41.75 days, never a whole second
  for (std::int64_t ms = 0; ms < 900 * STRIDE; ms += STRIDE) {
    const std::int64_t total = base.millisecond + ms;
    const std::time_t t = baseTime + static_cast<std::time_t>(total / 1000);
    std::tm fields{};
    ASSERT_NE(gmtime_r(&t, &fields), nullptr);
    LocalTime expected = At(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                            fields.tm_hour, fields.tm_min, fields.tm_sec, total % 1000);
    expected.dayOfWeek = fields.tm_wday;
    SCOPED_TRACE("offset " + std::to_string(ms) + " ms");
    ExpectSameTime(AddMilliseconds(base, ms), expected);
    if (HasFailure())
      return;
  }
}

TEST(FakeSystemServicesTest, NowIsTheBaseTimePlusTheTicks) {
  FakeSystemServices fake;
  fake.SetLocalTime(At(2024, 2, 28, 23, 59, 59, 0));
  ExpectSameTime(fake.Now(), WithWeekday(At(2024, 2, 28, 23, 59, 59, 0), 3));
  fake.Advance(1500);
  EXPECT_EQ(fake.TickCount(), 1500u);
  ExpectSameTime(fake.Now(), WithWeekday(At(2024, 2, 29, 0, 0, 0, 500), 4));
  fake.Sleep(86'400'000);
  ExpectSameTime(fake.Now(), WithWeekday(At(2024, 3, 1, 0, 0, 0, 500), 5));
  fake.SetTickCount(0);
  ExpectSameTime(fake.Now(), WithWeekday(At(2024, 2, 28, 23, 59, 59, 0), 3));
}

TEST(FakeSystemServicesTest, TickCountWrapsAt32Bits) {
  FakeSystemServices fake;
  fake.SetTickCount(0xFFFF'FFF0u);
  fake.Advance(0x20);
  EXPECT_EQ(fake.TickCount(), 0x10u);
}

TEST(FakeSystemServicesTest, BatteryMemoryAndIdleTimerAreWhatTheTestSet) {
  FakeSystemServices fake;
  const BatteryStatus defaults = fake.Battery();
  EXPECT_TRUE(defaults.onMains);
  EXPECT_EQ(defaults.percent, -1);
  fake.SetBattery(BatteryStatus{false, true, 42});
  const BatteryStatus set = fake.Battery();
  EXPECT_FALSE(set.onMains);
  EXPECT_TRUE(set.charging);
  EXPECT_EQ(set.percent, 42);
  fake.SetFreeMemory(1234);
  EXPECT_EQ(fake.FreeMemoryBytes(), 1234u);
  fake.ResetIdleTimer();
  fake.ResetIdleTimer();
  EXPECT_EQ(fake.IdleResets(), 2);
}

}  // namespace
}  // namespace platform
