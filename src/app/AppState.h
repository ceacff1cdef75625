#pragma once

#include <array>
#include <cstdint>

#include "app/KeepAlive.h"
#include "config/ConfigState.h"
#include "datafile/DataFileState.h"
#include "dialogs/GpsMessageDialog.h"
#include "display/DisplayState.h"
#include "gps/GpsMonitor.h"
#include "gps/GpsMonitorState.h"
#include "gps/GpsState.h"
#include "logging/LoggingRun.h"
#include "logging/LoggingState.h"
#include "platform/ui/Window.h"
#include "serial/SerialState.h"

namespace gradlog {

// The main window, its buttons and the full-screen windows it switches between.
struct MainWindowState {
  platform::Hwnd mainWindow;
  platform::Hwnd loggingWindow;
  platform::Hwnd monitorGpsWindow;
  platform::Hwnd mapOptionsWindow;
  std::array<platform::Hwnd, 9> mainButtons{};
  std::int32_t mainButtonSelection = 1;
  std::int32_t uptimeExceeded = 0;
};

// The program's state, composed of the parts each folder owns. A function takes the parts it
// needs. Members are ended in reverse order: the ports and their readers go before the data
// file, the monitor and the settings they were started from.
struct AppState {
  ConfigState config;
  DisplayState display;
  GpsState gps;
  DataFileState dataFile;
  LoggingState logging;
  GpsMonitorState gpsMonitor;
  SerialState serial;
  MainWindowState windows;
  KeepAlive keepAlive;
  // What the logging window works on: the parts above.
  LoggingRun loggingRun{config, display, gps, dataFile, serial, logging};
  // What the GPS monitor works on; it asks for a command with the "GPS Message" dialog.
  GpsMonitor gpsMonitorRun{gpsMonitor, serial.gps, config, RunGpsMessageDialog};
};

}  // namespace gradlog
