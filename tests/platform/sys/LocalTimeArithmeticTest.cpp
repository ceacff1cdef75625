#include "platform/sys/LocalTimeArithmetic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "platform/sys/FakeSystemServices.h"
#include "platform/sys/LocalTimeCheck.h"

namespace platform {
namespace {

TEST(LocalTimeArithmeticTest, CarriesAcrossNamedBoundaries) {
  const struct {
    const char* description;
    LocalTime base;
    std::int64_t ms;
    LocalTime expected;
  } cases[] = {
      {"midnight", At(2026, 6, 1, 1, 23, 59, 59, 500), 600, At(2026, 6, 2, 2, 0, 0, 0, 100)},
      {"30-day month", At(2026, 6, 30, 2, 12, 0, 0, 0), 86'400'000, At(2026, 7, 1, 3, 12, 0, 0, 0)},
      {"leap year", At(2024, 2, 28, 3, 23, 59, 59, 999), 1, At(2024, 2, 29, 4, 0, 0, 0, 0)},
      {"common year", At(2023, 2, 28, 2, 23, 59, 59, 999), 1, At(2023, 3, 1, 3, 0, 0, 0, 0)},
      {"2100 is common", At(2100, 2, 28, 0, 12, 0, 0, 0), 86'400'000,
       At(2100, 3, 1, 1, 12, 0, 0, 0)},
      {"new year", At(2026, 12, 31, 4, 23, 59, 59, 999), 1, At(2027, 1, 1, 5, 0, 0, 0, 0)},
      {"largest tick count", At(2026, 6, 1, 1, 1, 8, 0, 0), 4'294'967'295,
       At(2026, 7, 20, 1, 18, 10, 47, 295)},
      {"backwards", At(2027, 1, 1, 5, 0, 0, 0, 0), -1, At(2026, 12, 31, 4, 23, 59, 59, 999)},
      {"month 13 and hour 24 carry", At(2026, 13, 1, 0, 24, 0, 60, 1000), 0,
       At(2027, 1, 2, 6, 0, 1, 1, 0)},
      {"zero date is the day before 1 January", LocalTime{}, 0, At(-1, 11, 30, 2, 0, 0, 0, 0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    ExpectSameTime(AddMilliseconds(c.base, c.ms), c.expected);
  }
  const LocalTime absurd = AddMilliseconds(At(2'000'000'000, -7, 99, 0, -5, 99, 99, 5000), 1);
  EXPECT_TRUE(absurd.month >= 1 && absurd.month <= 12 && absurd.day >= 1 && absurd.day <= 31);
}

// An independent oracle: the C library's UTC calendar, stepping an odd stride over a century.
TEST(LocalTimeArithmeticTest, AgreesWithTheCLibraryCalendar) {
  const LocalTime base = At(1999, 12, 31, 5, 22, 30, 15, 250);
  std::tm baseFields{};
  baseFields.tm_year = base.year - 1900;
  baseFields.tm_mon = base.month - 1;
  baseFields.tm_mday = base.day;
  baseFields.tm_hour = base.hour;
  baseFields.tm_min = base.minute;
  baseFields.tm_sec = base.second;
  const std::time_t baseTime = timegm(&baseFields);
  constexpr std::int64_t STRIDE = 3'607'654'321;  // about 41.75 days, never a whole second
  for (std::int64_t ms = 0; ms < 900 * STRIDE && !HasFailure(); ms += STRIDE) {
    const std::int64_t total = base.millisecond + ms;
    const std::time_t t = baseTime + static_cast<std::time_t>(total / 1000);
    std::tm f{};
    ASSERT_NE(gmtime_r(&t, &f), nullptr);
    SCOPED_TRACE("offset " + std::to_string(ms) + " ms");
    ExpectSameTime(AddMilliseconds(base, ms),
                   At(f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_wday, f.tm_hour, f.tm_min,
                      f.tm_sec, static_cast<int>(total % 1000)));
  }
}

TEST(FakeSystemServicesTest, NowIsTheBaseTimePlusTheTicks) {
  FakeSystemServices fake;
  fake.SetLocalTime(At(2024, 2, 28, 3, 23, 59, 59, 0));
  fake.Advance(1500);
  ExpectSameTime(fake.Now(), At(2024, 2, 29, 4, 0, 0, 0, 500));
  fake.Sleep(86'400'000);
  ExpectSameTime(fake.Now(), At(2024, 3, 1, 5, 0, 0, 0, 500));
  fake.SetTickCount(0xFFFF'FFF0u);
  fake.Advance(0x20);
  EXPECT_EQ(fake.TickCount(), 0x10u);
  fake.SetBattery({false, true, 42});
  EXPECT_EQ(fake.Battery().percent, 42);
  EXPECT_TRUE(fake.Battery().charging);
}

}  // namespace
}  // namespace platform
