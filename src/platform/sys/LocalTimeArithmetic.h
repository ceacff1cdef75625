#pragma once

#include <cstdint>

#include "platform/sys/SystemServices.h"

namespace platform {

// `base` moved on by `ms` milliseconds on the Gregorian calendar, carrying into seconds,
// minutes, hours, days, months and years; the day of the week follows from the date. Fields
// of `base` outside their ranges are carried the same way (month 13 is January next year).
LocalTime AddMilliseconds(const LocalTime& base, std::int64_t ms);

}  // namespace platform
