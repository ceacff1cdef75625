#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace platform {

// A thread that reads a device and hands what it reads to the UI thread with PostMessage or
// SendMessage. Suspend and resume are cooperative: the hand-over calls of the message queue
// pass through Handover(), which holds a suspended reader back. Suspend() returns at once
// and never waits for the UI thread.
class ReaderThread {
 public:
  using Body = std::function<void(ReaderThread& self)>;

  // Starts the body at once, or held back until Resume() when `startSuspended`.
  explicit ReaderThread(Body body, bool startSuspended = false);
  ~ReaderThread();  // RequestStop() then join
  ReaderThread(const ReaderThread&) = delete;
  ReaderThread& operator=(const ReaderThread&) = delete;

  // After Suspend returns, the reader hands over nothing more until Resume.
  void Suspend();
  void Resume();
  // Tells the body to end: wakes a suspended reader and releases a blocked SendMessage.
  void RequestStop();
  bool StopRequested() const;
  // Sets what RequestStop() calls after setting the flag, so that a wait outside this class
  // (a SendMessage blocked on the UI's condition variable) wakes up; empty clears it. The
  // waker may take the waiter's lock, so don't hold that lock while calling this.
  void SetStopWaker(std::function<void()> waker);
  bool IsSuspended() const;
  void Join();

  // Runs `handover` (which queues a message) unless the reader is stopped, waiting while it
  // is suspended. Returns false when stopped. Called on the reader's own thread. `handover`
  // runs under the reader's lock, so it must not call this ReaderThread's members.
  bool Handover(const std::function<void()>& handover);
  // Waits for `ms` milliseconds or until stopped; false when stopped. For pauses in bodies.
  bool SleepFor(int ms);

  // The ReaderThread whose body runs on the calling thread, or nullptr.
  static ReaderThread* Current();

 private:
  // Holds a reader started suspended until Resume(); false when stopped before the start.
  bool WaitForStart(bool startSuspended);

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool suspended_ = false;
  // Written under mutex_ (the condition variable's waits read it there), read without it by
  // StopRequested(): a sender checks it while holding the message queue's lock, which a
  // hand-over takes inside mutex_, so taking mutex_ there would invert the lock order.
  std::atomic<bool> stopRequested_ = false;
  // Its own lock, so that a waker never runs inside mutex_.
  std::mutex wakerMutex_;
  std::function<void()> stopWaker_;
  Body body_;
  std::thread thread_;
};

}  // namespace platform
