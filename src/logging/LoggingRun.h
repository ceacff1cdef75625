#pragma once

#include "config/ConfigState.h"
#include "datafile/DataFileState.h"
#include "display/DisplayState.h"
#include "gps/GpsState.h"
#include "logging/LoggingState.h"
#include "serial/SerialState.h"

namespace gradlog {

// The parts of the program state a survey run works on.
struct LoggingRun {
  ConfigState& config;
  DisplayState& display;
  GpsState& gps;
  DataFileState& dataFile;
  SerialState& serial;
  LoggingState& logging;
};

}  // namespace gradlog
