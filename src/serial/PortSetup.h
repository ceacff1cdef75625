#pragma once

#include <cstdint>
#include <string>

#include "config/SurveySettings.h"
#include "platform/sys/SerialPort.h"
#include "platform/ui/Window.h"
#include "serial/SharedPort.h"

namespace gradlog {

// "COM1:" for port setting 0: the settings count ports from 0.
std::string ComPortName(std::int32_t zeroBasedPort);

// The GPS line as the settings ask, starting from what the port has; a setting outside its
// list of choices keeps the port's own value.
platform::LineSettings GpsLineSettings(const SurveySettings& settings,
                                       platform::LineSettings current);
platform::LineSettings InstrumentLineSettings(platform::LineSettings current);

inline constexpr platform::CommTimeouts GPS_TIMEOUTS{10, 0, 10, 0, 0};
inline constexpr platform::CommTimeouts INSTRUMENT_TIMEOUTS{platform::MAXDWORD, 1000, 1000, 0, 0};

// Open and configure the ports into `field`. On failure they tell the operator in a message
// box over `owner` and leave the field closed.
bool OpenGpsPort(SharedPort& field, const SurveySettings& settings, platform::Hwnd owner);
bool OpenInstrumentPort(SharedPort& field, std::int32_t instrumentPort, platform::Hwnd owner);

}  // namespace gradlog
