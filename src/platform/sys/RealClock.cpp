#include "platform/sys/RealClock.h"

#include <ctime>

namespace platform {

std::uint32_t TicksBetween(std::chrono::steady_clock::time_point start,
                           std::chrono::steady_clock::time_point now) {
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - start);
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(elapsed.count()));
}

LocalTime LocalTimeAt(std::chrono::system_clock::time_point instant) {
  // Floor, not truncation, so that instants before 1970 keep a millisecond part in 0..999.
  const auto seconds = std::chrono::floor<std::chrono::seconds>(instant);
  const auto millisecond =
      std::chrono::duration_cast<std::chrono::milliseconds>(instant - seconds).count();
  const std::time_t time = std::chrono::system_clock::to_time_t(seconds);
  std::tm fields{};
  LocalTime local;
  local.millisecond = static_cast<int>(millisecond);
  if (localtime_r(&time, &fields) == nullptr) {
    // Beyond what the C library can represent: report the epoch (a Thursday) not garbage.
    local.year = 1970;
    local.month = 1;
    local.day = 1;
    local.dayOfWeek = 4;
    return local;
  }
  local.year = fields.tm_year + 1900;
  local.month = fields.tm_mon + 1;
  local.day = fields.tm_mday;
  local.dayOfWeek = fields.tm_wday;
  local.hour = fields.tm_hour;
  local.minute = fields.tm_min;
  local.second = fields.tm_sec;
  return local;
}

}  // namespace platform
