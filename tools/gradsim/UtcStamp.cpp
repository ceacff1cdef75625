#include "gradsim/UtcStamp.h"

#include <time.h>

#include <cstdio>

namespace gradsim {

UtcStamp ToUtcStamp(std::chrono::system_clock::time_point moment) {
  using namespace std::chrono;
  // Truncated, not rounded: a stamp never runs ahead into the next second.
  const auto centis = floor<duration<std::int64_t, std::centi>>(moment.time_since_epoch());
  const time_t seconds = static_cast<time_t>(floor<std::chrono::seconds>(centis).count());
  tm broken{};
  gmtime_r(&seconds, &broken);
  UtcStamp stamp;
  stamp.year = broken.tm_year + 1900;
  stamp.month = broken.tm_mon + 1;
  stamp.day = broken.tm_mday;
  stamp.hour = broken.tm_hour;
  stamp.minute = broken.tm_min;
  stamp.second = broken.tm_sec;
  stamp.centiseconds = static_cast<int>(centis.count() - static_cast<std::int64_t>(seconds) * 100);
  return stamp;
}

std::string FormatTimeOfDay(const UtcStamp& stamp) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d%02d%02d.%02d", stamp.hour, stamp.minute, stamp.second,
                stamp.centiseconds);
  return text;
}

std::string FormatDateDmy(const UtcStamp& stamp) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d%02d%02d", stamp.day, stamp.month, stamp.year % 100);
  return text;
}

std::string FormatDateMdy(const UtcStamp& stamp) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d%02d%02d", stamp.month, stamp.day, stamp.year % 100);
  return text;
}

}  // namespace gradsim
