#pragma once

#include "datafile/DataFileState.h"
#include "platform/sys/ReaderThread.h"
#include "platform/ui/Window.h"
#include "serial/SerialState.h"
#include "serial/SharedPort.h"

namespace gradlog {

// The body of the total-station reader: frames the records arriving on `port`; while
// recording, writes each finished record to the data file ('@', '#', '!', status 'p',
// counted in gpsRecordCount); posts UM_TPS_POSITION to `target` with a TotalStationPosition
// for each record that gave both coordinates. A closed or failed port is waited out; the
// reader ends only when it is told to stop.
void TotalStationReaderThread(platform::ReaderThread& self, SharedPort& port,
                              DataFileState& dataFile, platform::Hwnd target);

// Starts TotalStationReaderThread as the GPS link's reader.
void StartTotalStationReader(SerialState& serial, DataFileState& dataFile, platform::Hwnd target);

}  // namespace gradlog
