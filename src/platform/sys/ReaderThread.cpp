#include "platform/sys/ReaderThread.h"

#include <chrono>
#include <utility>

namespace platform {

namespace {

thread_local ReaderThread* currentReader = nullptr;

}  // namespace

ReaderThread::ReaderThread(Body body, bool startSuspended)
    : suspended_(startSuspended), body_(std::move(body)) {
  // Held while thread_ is stored: the new thread takes it before it may look at thread_.
  MutexLock lock(mutex_);
  thread_ = std::jthread([this, startSuspended](std::stop_token stop) {
    // Every wait of this class is on this thread, under mutex_: one callback wakes them all.
    const std::stop_callback wake(stop, WakeWaiters{this});
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

void ReaderThread::WakeWaiters::operator()() const {
  // Taking the lock first means the wake cannot fall between a waiter's look at the token and
  // its wait.
  { MutexLock lock(reader->mutex_); }
  reader->changed_.notify_all();
}

bool ReaderThread::WaitForStart(bool startSuspended) {
  MutexLock lock(mutex_);
  return !startSuspended || WaitWhileSuspended(lock);
}

bool ReaderThread::WaitWhileSuspended(MutexLock& lock) {
  const std::stop_token stop = StopToken();
  while (suspended_ && !stop.stop_requested())
    changed_.wait(lock);
  return !stop.stop_requested();
}

bool ReaderThread::ReadBeforeSuspension() const {
  return readEpoch_ && *readEpoch_ != suspensionEpoch_;
}

void ReaderThread::Suspend() {
  MutexLock lock(mutex_);
  if (suspended_)
    return;
  suspended_ = true;
  ++suspensionEpoch_;
}

void ReaderThread::Resume() {
  {
    MutexLock lock(mutex_);
    suspended_ = false;
  }
  changed_.notify_all();
}

bool ReaderThread::IsSuspended() const {
  MutexLock lock(mutex_);
  return suspended_;
}

void ReaderThread::RequestStop() {
  thread_.request_stop();
}

bool ReaderThread::StopRequested() const {
  return thread_.get_stop_token().stop_requested();
}

std::stop_token ReaderThread::StopToken() const {
  return thread_.get_stop_token();
}

void ReaderThread::Join() {
  // A body cannot join its own thread.
  if (Current() != this && thread_.joinable())
    thread_.join();
}

ReaderThread::PortRead ReaderThread::ReadPort(SerialPort& port, std::span<char> buffer) {
  MutexLock lock(mutex_);
  if (!WaitWhileSuspended(lock))
    return {};
  // Before the first read, since the start: a suspension then counts as well.
  const bool suspendedSinceLastRead = readEpoch_.value_or(0) != suspensionEpoch_;
  readEpoch_ = suspensionEpoch_;
  // Under the lock, so that Suspend() returns only once this read is over; it never blocks.
  return {port.ReadAvailable(buffer), suspendedSinceLastRead};
}

ReaderThread::HandoverResult ReaderThread::Handover(const std::function<void()>& handover) {
  MutexLock lock(mutex_);
  // Refused at once: waiting for the resume would change nothing.
  if (ReadBeforeSuspension())
    return HandoverResult::Dropped;
  if (!WaitWhileSuspended(lock))
    return HandoverResult::Stopped;
  // Under the lock, so that once Suspend() has returned no hand-over can still be under way.
  handover();
  return HandoverResult::HandedOver;
}

bool ReaderThread::SleepFor(int ms) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  const std::stop_token stop = StopToken();
  MutexLock lock(mutex_);
  while (!stop.stop_requested() && std::chrono::steady_clock::now() < until)
    changed_.wait_until(lock, until);
  return !stop.stop_requested();
}

ReaderThread* ReaderThread::Current() {
  return currentReader;
}

}  // namespace platform
