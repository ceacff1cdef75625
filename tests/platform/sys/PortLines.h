#pragma once

#include <unistd.h>

#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/sys/SerialPort.h"
#include "support/PseudoTerminal.h"
#include "support/TempDeviceRoot.h"

namespace gradlog::testing {

// A port and the device at its far end, so that one test runs over both kinds of port.
class PortLine {
 public:
  virtual ~PortLine() = default;
  virtual const char* Kind() const = 0;
  virtual platform::PortHandle Port() const = 0;
  virtual void DeviceSends(std::string_view bytes) = 0;
  // The device goes away, as a USB adapter pulled out.
  virtual void HangUp() = 0;
};

class MemoryPortLine final : public PortLine {
 public:
  const char* Kind() const override { return "in-memory"; }
  platform::PortHandle Port() const override { return pair_.first; }
  void DeviceSends(std::string_view bytes) override { pair_.second->Write(bytes); }
  void HangUp() override { platform::HangUpMemoryPortPair(*pair_.second); }

 private:
  std::pair<platform::PortHandle, platform::PortHandle> pair_ = platform::MakeMemoryPortPair();
};

// The port is the slave of a pseudo-terminal, opened as "COM12:"; the test plays the device
// on the master.
class TerminalPortLine final : public PortLine {
 public:
  TerminalPortLine() {
    terminal_.LinkAs(root_.Path(), "COM12");
    port_ = platform::OpenSerialPort("COM12:");
    if (!port_)
      throw std::runtime_error("the pseudo-terminal would not open as a port");
  }
  const char* Kind() const override { return "pseudo-terminal"; }
  platform::PortHandle Port() const override { return port_; }
  void DeviceSends(std::string_view bytes) override {
    if (::write(terminal_.Master(), bytes.data(), bytes.size()) !=
        static_cast<ssize_t>(bytes.size()))
      throw std::runtime_error("the pseudo-terminal took fewer bytes than sent");
  }
  void HangUp() override { terminal_.CloseMaster(); }

 private:
  TempDeviceRoot root_;
  PseudoTerminal terminal_;
  platform::PortHandle port_;
};

inline std::vector<std::unique_ptr<PortLine>> BothKindsOfPortLine() {
  std::vector<std::unique_ptr<PortLine>> lines;
  lines.push_back(std::make_unique<MemoryPortLine>());
  lines.push_back(std::make_unique<TerminalPortLine>());
  return lines;
}

}  // namespace gradlog::testing
