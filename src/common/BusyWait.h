#pragma once

#include <cstdint>

namespace gradlog {

// Returns once more than `ms` milliseconds have passed on the tick counter; returns the
// last tick read.
std::uint32_t BusyWaitMs(std::int32_t ms);

}  // namespace gradlog
