#pragma once

#include "common/SharedHandle.h"
#include "platform/sys/SerialPort.h"

namespace gradlog {

// A port handle field that the UI thread opens and closes while a reader thread reads it.
// An empty handle is the closed state.
class SharedPort : public SharedHandle<platform::SerialPort> {
 public:
  bool IsOpen() const { return Get() != nullptr; }
  // Closes the port, which wakes a reader blocked in it, and leaves the field empty.
  void Close() {
    if (const platform::PortHandle port = Take())
      port->Close();
  }
};

}  // namespace gradlog
