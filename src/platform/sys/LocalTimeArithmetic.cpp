#include "platform/sys/LocalTimeArithmetic.h"

#include <algorithm>
#include <chrono>

namespace platform {

namespace {

constexpr std::int64_t MS_PER_DAY = 24 * 60 * 60 * 1000;
// Well inside what std::chrono::year can hold, so that nonsense years cannot wrap it.
constexpr std::int64_t MIN_YEAR = -30000;
constexpr std::int64_t MAX_YEAR = 30000;

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return (value % divisor < 0) ? quotient - 1 : quotient;
}

std::int64_t FloorMod(std::int64_t value, std::int64_t divisor) {
  return value - FloorDiv(value, divisor) * divisor;
}

std::chrono::sys_days FirstOfMonth(std::int64_t year, std::int64_t month) {
  const std::int64_t monthIndex = month - 1;
  const std::int64_t normalisedYear =
      std::clamp(year + FloorDiv(monthIndex, 12), MIN_YEAR, MAX_YEAR);
  return std::chrono::sys_days(
      std::chrono::year(static_cast<int>(normalisedYear)) /
      std::chrono::month(static_cast<unsigned>(FloorMod(monthIndex, 12) + 1)) / 1);
}

}  // namespace

LocalTime AddMilliseconds(const LocalTime& base, std::int64_t ms) {
  const std::int64_t baseMsOfDay =
      ((static_cast<std::int64_t>(base.hour) * 60 + base.minute) * 60 + base.second) * 1000 +
      base.millisecond;
  const std::int64_t msOfDay = baseMsOfDay + ms;
  const std::int64_t dayNumber = FirstOfMonth(base.year, base.month).time_since_epoch().count() +
                                 (static_cast<std::int64_t>(base.day) - 1) +
                                 FloorDiv(msOfDay, MS_PER_DAY);
  const std::chrono::sys_days days{std::chrono::days(dayNumber)};
  const std::chrono::year_month_day date{days};
  const std::int64_t timeOfDay = FloorMod(msOfDay, MS_PER_DAY);

  LocalTime result;
  result.year = static_cast<int>(date.year());
  result.month = static_cast<int>(static_cast<unsigned>(date.month()));
  result.day = static_cast<int>(static_cast<unsigned>(date.day()));
  result.dayOfWeek = static_cast<int>(std::chrono::weekday(days).c_encoding());
  result.hour = static_cast<int>(timeOfDay / 3'600'000);
  result.minute = static_cast<int>(timeOfDay / 60'000 % 60);
  result.second = static_cast<int>(timeOfDay / 1000 % 60);
  result.millisecond = static_cast<int>(timeOfDay % 1000);
  return result;
}

}  // namespace platform
