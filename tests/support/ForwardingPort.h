#pragma once

#include <string>
#include <utility>

#include "platform/sys/SerialPort.h"

namespace testing_support {

// A port that passes every call on to `inner`; a test port overrides the calls it watches.
class ForwardingPort : public platform::SerialPort {
 public:
  explicit ForwardingPort(platform::PortHandle inner) : inner_(std::move(inner)) {}

  bool GetLineSettings(platform::LineSettings& s) override { return inner_->GetLineSettings(s); }
  bool SetLineSettings(const platform::LineSettings& s) override {
    return inner_->SetLineSettings(s);
  }
  bool SetTimeouts(const platform::CommTimeouts& t) override { return inner_->SetTimeouts(t); }
  bool SetQueueSizes(std::size_t in, std::size_t out) override {
    return inner_->SetQueueSizes(in, out);
  }
  bool Purge(bool input, bool output) override { return inner_->Purge(input, output); }
  bool TransmitImmediate(char c) override { return inner_->TransmitImmediate(c); }
  std::size_t Write(std::span<const char> bytes) override { return inner_->Write(bytes); }
  std::string LastWriteError() const override { return inner_->LastWriteError(); }
  std::size_t Read(std::span<char> buffer) override { return inner_->Read(buffer); }
  std::size_t ReadAvailable(std::span<char> buffer) override {
    return inner_->ReadAvailable(buffer);
  }
  bool WaitForInput(std::stop_token stop) override { return inner_->WaitForInput(stop); }
  void Close() override { inner_->Close(); }
  bool IsOpen() const override { return inner_->IsOpen(); }

 private:
  platform::PortHandle inner_;
};

}  // namespace testing_support
