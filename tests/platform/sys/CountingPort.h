#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <utility>

#include "platform/sys/SerialPort.h"

namespace gradlog::testing {

// Passes every call on to `inner`, counting the waits and reads, so that a test can bound how
// often a reader loop calls its port. `insideReadAvailable`, when given, runs inside each
// ReadAvailable, for a test that must hold a read under way.
class CountingPort final : public platform::SerialPort {
 public:
  explicit CountingPort(platform::PortHandle inner, std::function<void()> insideReadAvailable = {})
      : inner_(std::move(inner)), insideReadAvailable_(std::move(insideReadAvailable)) {}

  int Calls() const { return calls_.load(); }

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
  std::size_t Read(std::span<char> buffer) override { return ++calls_, inner_->Read(buffer); }
  std::size_t ReadAvailable(std::span<char> buffer) override {
    ++calls_;
    if (insideReadAvailable_)
      insideReadAvailable_();
    return inner_->ReadAvailable(buffer);
  }
  bool WaitForInput(std::stop_token stop) override { return ++calls_, inner_->WaitForInput(stop); }
  void Close() override { inner_->Close(); }
  bool IsOpen() const override { return inner_->IsOpen(); }

 private:
  platform::PortHandle inner_;
  std::function<void()> insideReadAvailable_;
  std::atomic<int> calls_{0};
};

}  // namespace gradlog::testing
