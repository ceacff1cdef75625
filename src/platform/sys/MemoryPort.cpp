#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <span>

#include "platform/sys/ReadDeadline.h"
#include "platform/sys/SerialPort.h"

namespace platform {

namespace {

// Room for bytes not yet read, as a driver's input buffer; more is lost, as on an overrun.
constexpr std::size_t DEFAULT_IN_QUEUE = 65536;

// The cable and both ends' state, under one lock so that a close and a write never race.
struct MemoryLink {
  struct End {
    std::deque<char> inbound;
    std::size_t inQueue = DEFAULT_IN_QUEUE;
    bool closed = false;
    CommTimeouts timeouts;
    LineSettings settings;
  };
  std::mutex mutex;
  std::condition_variable changed;
  std::array<End, 2> ends;
};

class MemoryPort final : public SerialPort {
 public:
  MemoryPort(std::shared_ptr<MemoryLink> link, int side)
      : link_(std::move(link)), self_(link_->ends[side]), peer_(link_->ends[1 - side]) {}
  ~MemoryPort() override { Close(); }

  bool GetLineSettings(LineSettings& settings) override {
    std::lock_guard lock(link_->mutex);
    if (self_.closed)
      return false;
    settings = self_.settings;
    return true;
  }

  bool SetLineSettings(const LineSettings& settings) override {
    std::lock_guard lock(link_->mutex);
    if (self_.closed || !IsSupportedLineSettings(settings))
      return false;
    self_.settings = settings;
    return true;
  }

  bool SetTimeouts(const CommTimeouts& timeouts) override {
    std::lock_guard lock(link_->mutex);
    self_.timeouts = timeouts;
    return !self_.closed;
  }

  bool SetQueueSizes(std::size_t inQueue, std::size_t) override {
    std::lock_guard lock(link_->mutex);
    if (self_.closed || inQueue == 0)
      return false;
    self_.inQueue = inQueue;
    return true;
  }

  // Written bytes reach the other end at once, so there is never output left to discard.
  bool Purge(bool input, bool) override {
    std::lock_guard lock(link_->mutex);
    if (input)
      self_.inbound.clear();
    return !self_.closed;
  }

  bool TransmitImmediate(char c) override { return Write(std::span<const char>(&c, 1)) == 1; }

  std::size_t Write(std::span<const char> bytes) override {
    {
      std::lock_guard lock(link_->mutex);
      if (self_.closed)
        return 0;
      // A closed far end is a cable with nobody listening: the bytes are sent and lost.
      if (!peer_.closed) {
        const std::size_t room = peer_.inQueue - std::min(peer_.inQueue, peer_.inbound.size());
        peer_.inbound.insert(
            peer_.inbound.end(), bytes.begin(),
            bytes.begin() + static_cast<std::ptrdiff_t>(std::min(room, bytes.size())));
      }
    }
    link_->changed.notify_all();
    return bytes.size();
  }

  std::size_t Read(std::span<char> buffer) override {
    std::unique_lock lock(link_->mutex);
    if (self_.closed || buffer.empty())
      return 0;
    ReadDeadline deadline(self_.timeouts, buffer.size(), std::chrono::steady_clock::now());
    for (;;) {
      const std::size_t take = std::min(self_.inbound.size(), buffer.size() - deadline.Count());
      std::copy_n(self_.inbound.begin(), take,
                  buffer.begin() + static_cast<std::ptrdiff_t>(deadline.Count()));
      self_.inbound.erase(self_.inbound.begin(),
                          self_.inbound.begin() + static_cast<std::ptrdiff_t>(take));
      deadline.Received(take, std::chrono::steady_clock::now());
      if (deadline.Done(std::chrono::steady_clock::now()))
        return deadline.Count();
      if (const std::optional<SteadyTime> until = deadline.WaitUntil())
        link_->changed.wait_until(lock, *until);
      else
        link_->changed.wait(lock);
      if (self_.closed)
        return 0;
    }
  }

  bool WaitForInput() override {
    std::unique_lock lock(link_->mutex);
    link_->changed.wait(lock, [this] { return self_.closed || !self_.inbound.empty(); });
    return !self_.closed;
  }

  void Close() override {
    {
      std::lock_guard lock(link_->mutex);
      self_.closed = true;
      self_.inbound.clear();
    }
    link_->changed.notify_all();
  }

  bool IsOpen() const override {
    std::lock_guard lock(link_->mutex);
    return !self_.closed;
  }

 private:
  std::shared_ptr<MemoryLink> link_;
  MemoryLink::End& self_;
  MemoryLink::End& peer_;
};

}  // namespace

std::pair<PortHandle, PortHandle> MakeMemoryPortPair() {
  auto link = std::make_shared<MemoryLink>();
  return {std::make_shared<MemoryPort>(link, 0), std::make_shared<MemoryPort>(link, 1)};
}

}  // namespace platform
