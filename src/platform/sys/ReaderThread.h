#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stop_token>
#include <thread>

#include "platform/sys/Mutex.h"
#include "platform/sys/SerialPort.h"

namespace platform {

// A thread that reads a device and hands what it reads to the UI thread with PostMessage or
// SendMessage (which pass through Handover() when called on a reader).
//
// Suspended means: no read of the port until Resume, and nothing read before the suspension
// is handed over after it. So the UI thread may suspend the reader, talk to the instrument
// on the same port and read the reply itself. This holds for a body written like this one,
// which reads only through ReadPort() and backs off after a failed wait:
//
//   GradLineFramer framer(minimumLength);
//   std::array<char, 64> bytes{};
//   while (!self.StopRequested()) {
//     if (!port.WaitForInput(self.StopToken())) {  // closed, failed, hung up or stopped
//       if (!self.SleepFor(10))  // a failed or hung-up port fails at once: pause, don't spin
//         return;
//       continue;
//     }
//     const ReaderThread::PortRead read = self.ReadPort(port, bytes);
//     if (read.suspendedSinceLastRead)
//       framer.Reset();  // the UI thread may have read the bytes in between
//     for (char byte : std::span(bytes).first(read.count))
//       if (const auto line = framer.Feed(byte, Services().TickCount()))
//         PostMessage(window, UM_GRAD_DATA, 0, 0, GradLine{std::string(*line), ...});
//   }
//
// PostMessage returns false, and SendMessage nothing, both for a stop and for a line refused
// as read before a suspension (HandoverResult::Dropped); the loop goes on in either case and
// its StopRequested() tells them apart.
class ReaderThread {
 public:
  using Body = std::function<void(ReaderThread& self)>;

  // Starts the body at once, or held back until Resume() when `startSuspended`.
  explicit ReaderThread(Body body, bool startSuspended = false);
  ~ReaderThread();  // RequestStop(), then joins
  ReaderThread(const ReaderThread&) = delete;
  ReaderThread& operator=(const ReaderThread&) = delete;

  // Returns once no ReadPort() is under way (which never blocks) and no hand-over is being
  // queued; from then until Resume() the reader reads nothing from its port and hands
  // nothing over. Never waits for the body otherwise, so it returns while the body is
  // blocked in a port wait or in a SendMessage that the calling UI thread would have to
  // answer.
  void Suspend();
  void Resume();
  bool IsSuspended() const;

  // Tells the body to end. Wakes every wait of this class and, through the stop token,
  // a SendMessage the reader is blocked in and a port wait given StopToken().
  void RequestStop();
  bool StopRequested() const;
  // The token RequestStop() sets; a wait outside this class registers a std::stop_callback on
  // it (taking its own lock before notifying) to end at once on a stop.
  std::stop_token StopToken() const;
  // Waits for the body to end. Does nothing when called by the body itself.
  void Join();

  struct PortRead {
    std::size_t count = 0;  // bytes now at the start of the buffer
    // The reader was suspended since its previous ReadPort() (for the first, since it
    // started): the bytes are not contiguous with those read before (the UI thread may have
    // read the ones in between), so a line half assembled from earlier bytes must be dropped,
    // and a time counted up to now includes the suspension.
    bool suspendedSinceLastRead = false;
  };
  // The gated read of the port, on the reader's own thread: waits while suspended, then takes
  // what the port holds now without blocking (SerialPort::ReadAvailable). Count 0 when
  // stopped, or when nothing is there (the UI thread took it during a suspension).
  PortRead ReadPort(SerialPort& port, std::span<char> buffer);

  enum class HandoverResult {
    HandedOver,
    // Refused: the body read through ReadPort() before the latest suspension began, so what
    // it hands over is from before the suspension. The body goes on reading.
    Dropped,
    Stopped,
  };
  // Runs `handover` (which queues a message) on the reader's own thread, waiting while the
  // reader is suspended. A body that never reads through ReadPort() (its data does not come
  // from the port) is only held back, never dropped. `handover` runs under the reader's lock,
  // so it must not call this ReaderThread's members.
  HandoverResult Handover(const std::function<void()>& handover);

  // Waits for `ms` milliseconds or until stopped; false when stopped. For pauses in bodies.
  bool SleepFor(int ms);

  // The ReaderThread whose body runs on the calling thread, or nullptr.
  static ReaderThread* Current();

 private:
  struct WakeWaiters {
    ReaderThread* reader;
    void operator()() const;
  };

  // Holds a reader started suspended until Resume(); false when stopped before the start.
  bool WaitForStart(bool startSuspended);
  // Waits under `lock` while suspended; false when stopped.
  bool WaitWhileSuspended(MutexLock& lock) REQUIRES(mutex_);
  bool ReadBeforeSuspension() const REQUIRES(mutex_);

  mutable Mutex mutex_;
  std::condition_variable_any changed_;
  bool suspended_ GUARDED_BY(mutex_);
  // Counts suspensions; each starts a new epoch, and what was read in an earlier one is stale.
  std::uint64_t suspensionEpoch_ GUARDED_BY(mutex_) = 0;
  // The epoch of the body's latest ReadPort(); empty until its first.
  std::optional<std::uint64_t> readEpoch_ GUARDED_BY(mutex_);
  Body body_;
  // Set once in the constructor, before the thread may look at it (it takes mutex_ first).
  std::jthread thread_;
};

}  // namespace platform
