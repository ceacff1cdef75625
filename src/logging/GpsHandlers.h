#pragma once

#include "logging/LoggingRun.h"
#include "platform/ui/Messages.h"

namespace gradlog {

// UM_GPS_SENTENCE (sent by the NMEA reader, which waits meanwhile): checks and sorts the
// sentence, has a fix or the GSA after it decoded, and records the sentence while recording.
platform::LRESULT OnGpsSentence(LoggingRun& run, const platform::Message& message);
// UM_GPS_FIX: decodes the fix into the GPS boxes, blinks the lamps and takes its position.
platform::LRESULT OnGpsFix(LoggingRun& run, const platform::Message& message);
// UM_GPS_GSA: the PDOP of the first GSA after a fix.
platform::LRESULT OnGpsGsa(LoggingRun& run, const platform::Message& message);
// UM_TPS_POSITION (posted by the total-station reader with its own copy of the position).
platform::LRESULT OnTotalStationPosition(LoggingRun& run, const platform::Message& message);

}  // namespace gradlog
