#pragma once

#include "logging/LoggingRun.h"
#include "platform/ui/Messages.h"

namespace gradlog {

// Timer 1 of the logging window. More than silenceTimeoutMs without a reading is a break
// ("$CONN BREAK", "please wait", checks every retryTimerPeriodMs); ten checks without one end
// the run and the program ("$CONN END  ", "NO CONNECTION").
platform::LRESULT OnConnectionWatchdog(LoggingRun& run, const platform::Message& message);

// Whether the time since the last reading is a silence, tick counts wrapping.
bool IsSilent(std::uint32_t now, std::uint32_t lastReadingTick, std::uint32_t silenceTimeoutMs);

}  // namespace gradlog
