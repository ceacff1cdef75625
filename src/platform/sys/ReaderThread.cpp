#include "platform/sys/ReaderThread.h"

#include <chrono>
#include <utility>

namespace platform {

namespace {

thread_local ReaderThread* currentReader = nullptr;

}  // namespace

ReaderThread::ReaderThread(Body body, bool startSuspended)
    : suspended_(startSuspended), body_(std::move(body)) {
  // Held while thread_ is stored: the new thread takes it before the body may look at thread_.
  std::lock_guard lock(mutex_);
  thread_ = std::thread([this, startSuspended] {
    currentReader = this;
    if (WaitForStart(startSuspended))
      body_(*this);
    currentReader = nullptr;
  });
}

ReaderThread::~ReaderThread() {
  RequestStop();
  // A body that destroys its own reader cannot join itself; let the thread end on its own.
  if (Current() == this && thread_.joinable()) {
    thread_.detach();
    return;
  }
  Join();
}

bool ReaderThread::WaitForStart(bool startSuspended) {
  std::unique_lock lock(mutex_);
  if (startSuspended)
    changed_.wait(lock, [this] { return !suspended_ || stopRequested_; });
  return !stopRequested_;
}

void ReaderThread::Suspend() {
  std::lock_guard lock(mutex_);
  suspended_ = true;
}

void ReaderThread::Resume() {
  {
    std::lock_guard lock(mutex_);
    suspended_ = false;
  }
  changed_.notify_all();
}

void ReaderThread::RequestStop() {
  {
    std::lock_guard lock(mutex_);
    stopRequested_ = true;
  }
  changed_.notify_all();
  // Called under wakerMutex_ so that the waiter cannot clear the waker and free what it refers
  // to while the call is under way.
  std::lock_guard lock(wakerMutex_);
  if (stopWaker_)
    stopWaker_();
}

void ReaderThread::SetStopWaker(std::function<void()> waker) {
  std::lock_guard lock(wakerMutex_);
  stopWaker_ = std::move(waker);
}

bool ReaderThread::StopRequested() const {
  return stopRequested_.load();
}

bool ReaderThread::IsSuspended() const {
  std::lock_guard lock(mutex_);
  return suspended_;
}

void ReaderThread::Join() {
  // A body cannot join its own thread.
  if (Current() != this && thread_.joinable())
    thread_.join();
}

bool ReaderThread::Handover(const std::function<void()>& handover) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !suspended_ || stopRequested_; });
  if (stopRequested_)
    return false;
  // Under the lock, so that once Suspend() has returned no hand-over can still be under way.
  handover();
  return true;
}

bool ReaderThread::SleepFor(int ms) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, std::chrono::milliseconds(ms > 0 ? ms : 0),
                    [this] { return stopRequested_.load(); });
  return !stopRequested_;
}

ReaderThread* ReaderThread::Current() {
  return currentReader;
}

}  // namespace platform
