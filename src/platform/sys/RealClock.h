#pragma once

#include <chrono>
#include <cstdint>

#include "platform/sys/SystemServices.h"

namespace platform {

// Whole milliseconds from `start` to `now`, wrapping at 2^32 as the tick count does.
std::uint32_t TicksBetween(std::chrono::steady_clock::time_point start,
                           std::chrono::steady_clock::time_point now);

// The local time (time zone of the process) of a wall-clock instant, with milliseconds.
LocalTime LocalTimeAt(std::chrono::system_clock::time_point instant);

}  // namespace platform
