#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/sys/SerialPort.h"
#include "support/PseudoTerminal.h"
#include "support/TempDeviceRoot.h"

namespace gradlog::testing {

// A port and the device at its far end, so that one test runs over both kinds of port.
struct PortLine {
  const char* kind;
  platform::PortHandle port;
  std::function<void(std::string_view)> deviceSends;
  std::function<void()> hangUp;  // the device goes away, as a USB adapter pulled out
};

inline std::vector<PortLine> BothKindsOfPortLine() {
  const auto memory = platform::MakeMemoryPortPair();
  const platform::PortHandle device = memory.second;
  // The slave of a pseudo-terminal opened as "COM12:"; the test plays the device on the master.
  struct Terminal {
    TempDeviceRoot root;
    PseudoTerminal terminal;
  };
  const auto pty = std::make_shared<Terminal>();
  pty->terminal.LinkAs(pty->root.Path(), "COM12");
  const platform::PortHandle port = platform::OpenSerialPort("COM12:");
  if (!port)
    throw std::runtime_error("the pseudo-terminal would not open as a port");
  return {
      {"in-memory", memory.first, [device](std::string_view bytes) { device->Write(bytes); },
       [device] { platform::HangUpMemoryPortPair(*device); }},
      {"pseudo-terminal", port,
       [pty](std::string_view bytes) {
         ASSERT_EQ(::write(pty->terminal.Master(), bytes.data(), bytes.size()),
                   static_cast<ssize_t>(bytes.size()));
       },
       [pty] { pty->terminal.CloseMaster(); }},
  };
}

}  // namespace gradlog::testing
