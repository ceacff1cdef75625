#pragma once

#include "logging/LoggingRun.h"
#include "platform/ui/Messages.h"

namespace gradlog {

// UM_GRAD_DATA: decodes the reading, stores it while recording (the station advancing and the
// profile stepping), and shows its values and bars; every three minutes the battery too.
platform::LRESULT OnGradReading(LoggingRun& run, const platform::Message& message);

inline constexpr std::uint32_t BATTERY_REFRESH_MS = 180000;

}  // namespace gradlog
