#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <stop_token>
#include <string>

#include "platform/sys/Mutex.h"
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
    std::string lastWriteError;
  };
  Mutex mutex;
  std::condition_variable_any changed;
  std::array<End, 2> ends GUARDED_BY(mutex);
  // The cable was pulled: both ends are hung up for good.
  bool hungUp GUARDED_BY(mutex) = false;
};

class MemoryPort final : public SerialPort {
 public:
  MemoryPort(std::shared_ptr<MemoryLink> link, int side) : link_(std::move(link)), side_(side) {}
  ~MemoryPort() override { Close(); }

  bool GetLineSettings(LineSettings& settings) override {
    MutexLock lock(link_->mutex);
    if (Self().closed)
      return false;
    settings = Self().settings;
    return true;
  }

  bool SetLineSettings(const LineSettings& settings) override {
    MutexLock lock(link_->mutex);
    if (Self().closed || !IsSupportedLineSettings(settings))
      return false;
    Self().settings = settings;
    return true;
  }

  bool SetTimeouts(const CommTimeouts& timeouts) override {
    MutexLock lock(link_->mutex);
    Self().timeouts = timeouts;
    return !Self().closed;
  }

  bool SetQueueSizes(std::size_t inQueue, std::size_t) override {
    MutexLock lock(link_->mutex);
    if (Self().closed || inQueue == 0)
      return false;
    Self().inQueue = inQueue;
    return true;
  }

  // Written bytes reach the other end at once, so there is never output left to discard.
  bool Purge(bool input, bool) override {
    MutexLock lock(link_->mutex);
    if (input)
      Self().inbound.clear();
    return !Self().closed;
  }

  bool TransmitImmediate(char c) override { return Write(std::span<const char>(&c, 1)) == 1; }

  std::size_t Write(std::span<const char> bytes) override {
    {
      MutexLock lock(link_->mutex);
      // As a device: a pulled cable fails the write with an I/O error.
      Self().lastWriteError = Self().closed   ? std::string(CLOSED_PORT_ERROR)
                              : link_->hungUp ? SystemErrorText(EIO)
                                              : std::string();
      if (IsBroken())
        return 0;
      // A closed far end is a cable with nobody listening: the bytes are sent and lost.
      if (!Peer().closed) {
        std::deque<char>& inbound = Peer().inbound;
        const std::size_t room = Peer().inQueue - std::min(Peer().inQueue, inbound.size());
        inbound.insert(inbound.end(), bytes.begin(),
                       bytes.begin() + static_cast<std::ptrdiff_t>(std::min(room, bytes.size())));
      }
    }
    link_->changed.notify_all();
    return bytes.size();
  }

  std::string LastWriteError() const override {
    MutexLock lock(link_->mutex);
    return link_->ends[side_].lastWriteError;
  }

  std::size_t Read(std::span<char> buffer) override {
    MutexLock lock(link_->mutex);
    if (IsBroken() || buffer.empty())
      return 0;
    ReadDeadline deadline(Self().timeouts, buffer.size(), std::chrono::steady_clock::now());
    for (;;) {
      deadline.Received(TakeInbound(buffer.subspan(deadline.Count())),
                        std::chrono::steady_clock::now());
      if (deadline.Done(std::chrono::steady_clock::now()))
        return deadline.Count();
      if (const std::optional<SteadyTime> until = deadline.WaitUntil())
        link_->changed.wait_until(lock, *until);
      else
        link_->changed.wait(lock);
      if (Self().closed)
        return 0;
      // As a device that hangs up: what came before is handed over.
      if (link_->hungUp)
        return deadline.Count();
    }
  }

  std::size_t ReadAvailable(std::span<char> buffer) override {
    MutexLock lock(link_->mutex);
    if (IsBroken())
      return 0;
    return TakeInbound(buffer);
  }

  bool WaitForInput(std::stop_token stop) override {
    // Takes the lock before waking, so that the wake cannot fall between the waiter's look at
    // the token and its wait. Runs at once when the stop came first, so made before locking.
    const std::stop_callback wake(stop, [this] {
      { MutexLock lock(link_->mutex); }
      link_->changed.notify_all();
    });
    MutexLock lock(link_->mutex);
    while (!IsBroken() && Self().inbound.empty() && !stop.stop_requested())
      link_->changed.wait(lock);
    return !IsBroken() && !stop.stop_requested();
  }

  void Close() override {
    {
      MutexLock lock(link_->mutex);
      Self().closed = true;
      Self().inbound.clear();
    }
    link_->changed.notify_all();
  }

  bool IsOpen() const override {
    MutexLock lock(link_->mutex);
    return !link_->ends[side_].closed;
  }

  void HangUp() {
    {
      MutexLock lock(link_->mutex);
      link_->hungUp = true;
    }
    link_->changed.notify_all();
  }

 private:
  MemoryLink::End& Self() REQUIRES(link_->mutex) { return link_->ends[side_]; }
  MemoryLink::End& Peer() REQUIRES(link_->mutex) { return link_->ends[1 - side_]; }

  // Closed at this end, or the cable pulled: nothing will come or go any more.
  bool IsBroken() REQUIRES(link_->mutex) { return Self().closed || link_->hungUp; }

  // Moves what has arrived, up to the size of `buffer`, into it.
  std::size_t TakeInbound(std::span<char> buffer) REQUIRES(link_->mutex) {
    std::deque<char>& inbound = Self().inbound;
    const std::size_t take = std::min(inbound.size(), buffer.size());
    std::copy_n(inbound.begin(), take, buffer.begin());
    inbound.erase(inbound.begin(), inbound.begin() + static_cast<std::ptrdiff_t>(take));
    return take;
  }

  const std::shared_ptr<MemoryLink> link_;
  const int side_;
};

}  // namespace

std::pair<PortHandle, PortHandle> MakeMemoryPortPair() {
  auto link = std::make_shared<MemoryLink>();
  return {std::make_shared<MemoryPort>(link, 0), std::make_shared<MemoryPort>(link, 1)};
}

void HangUpMemoryPortPair(SerialPort& port) {
  if (auto* memoryPort = dynamic_cast<MemoryPort*>(&port))
    memoryPort->HangUp();
}

}  // namespace platform
