#pragma once

#include <atomic>
#include <cstddef>
#include <utility>

#include "platform/sys/SerialPort.h"

namespace gradlog::testing {

// Passes every call on to `inner` and counts the bytes a reader has finished with: those of a
// read count once the reader waits for input again, which it does only after it has handled
// every byte of that read. A test waits for them before it moves the clock or looks at what
// was handed over.
class HandledBytesPort final : public platform::SerialPort {
 public:
  explicit HandledBytesPort(platform::PortHandle inner) : inner_(std::move(inner)) {}

  std::size_t HandledBytes() const { return handled_.load(); }

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
  std::size_t Read(std::span<char> buffer) override { return Count(inner_->Read(buffer)); }
  std::size_t ReadAvailable(std::span<char> buffer) override {
    return Count(inner_->ReadAvailable(buffer));
  }
  bool WaitForInput(std::stop_token stop) override {
    handled_ += beingHandled_.exchange(0);
    return inner_->WaitForInput(stop);
  }
  void Close() override { inner_->Close(); }
  bool IsOpen() const override { return inner_->IsOpen(); }

 private:
  std::size_t Count(std::size_t read) {
    beingHandled_ += read;
    return read;
  }

  platform::PortHandle inner_;
  std::atomic<std::size_t> beingHandled_{0};
  std::atomic<std::size_t> handled_{0};
};

}  // namespace gradlog::testing
