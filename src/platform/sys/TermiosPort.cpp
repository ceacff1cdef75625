#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "platform/sys/Mutex.h"
#include "platform/sys/ReadDeadline.h"
#include "platform/sys/SerialPort.h"
#include "platform/sys/StopEventFd.h"
#include "platform/sys/TermiosSettings.h"

namespace platform {

namespace {

// TIOCEXCL does not hold against a privileged process, and the logger may well run as one:
// this process keeps its own list of the devices it has open.
class OpenDevices {
 public:
  static bool Claim(dev_t device) {
    std::lock_guard lock(DevicesMutex());
    return Devices().insert(device).second;
  }
  static void Release(dev_t device) {
    std::lock_guard lock(DevicesMutex());
    Devices().erase(device);
  }

 private:
  static std::mutex& DevicesMutex() {
    static std::mutex mutex;
    return mutex;
  }
  static std::set<dev_t>& Devices() {
    static std::set<dev_t> devices;
    return devices;
  }
};

// Failed covers a hung-up device, which polls ready for ever with nothing to read.
enum class Readiness { Ready, TimedOut, Closed, Stopped, Failed };

int PollTimeout(std::optional<SteadyTime> until) {
  if (!until)
    return -1;
  const auto left = *until - std::chrono::steady_clock::now();
  if (left <= left.zero())
    return 0;
  // Rounded up, so that the wait never ends before the deadline it serves.
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
  return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

std::string ErrorText(int error) {
  // Another process that opened the device exclusively makes open() fail with EBUSY.
  if (error == EBUSY)
    return "the device is in use";
  return SystemErrorText(error);
}

// Why a write that had to wait for room in the device ended.
std::string WaitErrorText(Readiness readiness) {
  switch (readiness) {
    case Readiness::TimedOut:
      return std::string(WRITE_TIMEOUT_ERROR);
    case Readiness::Closed:
    case Readiness::Stopped:
      return std::string(CLOSED_PORT_ERROR);
    case Readiness::Ready:
    case Readiness::Failed:
      break;
  }
  return ErrorText(EIO);
}

class TermiosPort final : public SerialPort {
 public:
  TermiosPort(int fd, int wake, dev_t device) : fd_(fd), wake_(wake), device_(device) {}
  ~TermiosPort() override { Close(); }

  bool GetLineSettings(LineSettings& settings) override {
    ActiveCall call(*this);
    termios attributes{};
    if (!call || ::tcgetattr(fd_, &attributes) != 0)
      return false;
    LineSettings read = RememberedModemLines();
    if (!ReadLineSettings(attributes, read))
      return false;
    int lines = 0;
    if (::ioctl(fd_, TIOCMGET, &lines) == 0) {
      read.dtrOn = (lines & TIOCM_DTR) != 0;
      read.rtsOn = (lines & TIOCM_RTS) != 0;
    }
    settings = read;
    return true;
  }

  bool SetLineSettings(const LineSettings& settings) override {
    ActiveCall call(*this);
    termios attributes{};
    if (!call || ::tcgetattr(fd_, &attributes) != 0 || !ApplyLineSettings(settings, attributes))
      return false;
    if (::tcsetattr(fd_, TCSANOW, &attributes) != 0)
      return false;
    // A pseudo-terminal has no modem lines: remember them so that they read back as set.
    SetModemLine(TIOCM_DTR, settings.dtrOn);
    SetModemLine(TIOCM_RTS, settings.rtsOn);
    MutexLock lock(mutex_);
    dtrOn_ = settings.dtrOn;
    rtsOn_ = settings.rtsOn;
    return true;
  }

  bool SetTimeouts(const CommTimeouts& timeouts) override {
    MutexLock lock(mutex_);
    timeouts_ = timeouts;
    return !closed_;
  }

  // The kernel sizes its own tty buffers; there is nothing to set.
  bool SetQueueSizes(std::size_t, std::size_t) override { return IsOpen(); }

  bool Purge(bool input, bool output) override {
    ActiveCall call(*this);
    if (!call)
      return false;
    if (input && output)
      return ::tcflush(fd_, TCIOFLUSH) == 0;
    if (input)
      return ::tcflush(fd_, TCIFLUSH) == 0;
    if (output)
      return ::tcflush(fd_, TCOFLUSH) == 0;
    return true;
  }

  // The tty layer has no queue to jump; with no flow control holding output back, a write
  // of one byte goes out as soon as anything queued before it.
  bool TransmitImmediate(char c) override { return Write(std::span<const char>(&c, 1)) == 1; }

  std::size_t Write(std::span<const char> bytes) override {
    ActiveCall call(*this);
    if (!call) {
      NoteWriteError(std::string(CLOSED_PORT_ERROR));
      return 0;
    }
    const std::optional<SteadyTime> until =
        WriteDeadline(Timeouts(), bytes.size(), std::chrono::steady_clock::now());
    std::size_t written = 0;
    std::string error;
    while (written < bytes.size()) {
      const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
      if (n > 0) {
        written += static_cast<std::size_t>(n);
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else if (n < 0 && errno == EAGAIN) {
        const Readiness readiness = WaitFor(POLLOUT, until);
        if (readiness == Readiness::Ready)
          continue;
        error = WaitErrorText(readiness);
        break;
      } else {
        error = ErrorText(n < 0 ? errno : EIO);  // the device failed
        break;
      }
    }
    NoteWriteError(std::move(error));
    return written;
  }

  std::string LastWriteError() const override {
    MutexLock lock(mutex_);
    return lastWriteError_;
  }

  std::size_t Read(std::span<char> buffer) override {
    ActiveCall call(*this);
    if (!call || buffer.empty())
      return 0;
    ReadDeadline deadline(Timeouts(), buffer.size(), std::chrono::steady_clock::now());
    for (;;) {
      // Take what is there before looking at the clock: a zero time-out still returns it.
      const ssize_t n =
          ::read(fd_, buffer.data() + deadline.Count(), buffer.size() - deadline.Count());
      if (n > 0)
        deadline.Received(static_cast<std::size_t>(n), std::chrono::steady_clock::now());
      else if (n == 0 || (errno != EAGAIN && errno != EINTR))
        break;  // hung up or failed: hand over what came before
      if (deadline.Done(std::chrono::steady_clock::now()))
        break;
      const Readiness readiness = WaitFor(POLLIN, deadline.WaitUntil());
      if (readiness == Readiness::Closed)
        return 0;
      if (readiness == Readiness::Failed)
        break;
    }
    return deadline.Count();
  }

  std::size_t ReadAvailable(std::span<char> buffer) override {
    ActiveCall call(*this);
    if (!call || buffer.empty())
      return 0;
    for (;;) {
      const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
      if (n > 0)
        return static_cast<std::size_t>(n);
      if (n < 0 && errno == EINTR)
        continue;
      return 0;  // nothing there (EAGAIN), hung up (0 or EIO) or failed
    }
  }

  bool WaitForInput(std::stop_token stop) override {
    ActiveCall call(*this);
    if (!call)
      return false;
    const StopEventFd stopEvent(stop);
    return WaitFor(POLLIN, std::nullopt, stopEvent.Fd()) == Readiness::Ready;
  }

  void Close() override {
    MutexLock lock(mutex_);
    if (closed_)
      return;
    closed_ = true;
    const std::uint64_t one = 1;
    // The counter stays set, so every poll on it, now or later, returns at once.
    [[maybe_unused]] const ssize_t signalled = ::write(wake_, &one, sizeof one);
    while (activeCalls_ != 0)
      idle_.wait(lock);
    // No call is inside any more and none can enter: the descriptors may go, and the device
    // is free for the next open at once, whoever still holds this handle.
    // Exclusive mode belongs to the terminal, not to this descriptor: leave it free for others.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    ::close(wake_);
    OpenDevices::Release(device_);
  }

  bool IsOpen() const override {
    MutexLock lock(mutex_);
    return !closed_;
  }

 private:
  // Admits one call unless the port is closed; Close() waits until every admitted call left.
  class ActiveCall {
   public:
    explicit ActiveCall(TermiosPort& port) : port_(port) {
      MutexLock lock(port_.mutex_);
      admitted_ = !port_.closed_;
      if (admitted_)
        ++port_.activeCalls_;
    }
    ~ActiveCall() {
      if (!admitted_)
        return;
      MutexLock lock(port_.mutex_);
      if (--port_.activeCalls_ == 0)
        port_.idle_.notify_all();
    }
    ActiveCall(const ActiveCall&) = delete;
    ActiveCall& operator=(const ActiveCall&) = delete;
    explicit operator bool() const { return admitted_; }

   private:
    TermiosPort& port_;
    bool admitted_ = false;
  };

  CommTimeouts Timeouts() const {
    MutexLock lock(mutex_);
    return timeouts_;
  }

  LineSettings RememberedModemLines() const {
    MutexLock lock(mutex_);
    return LineSettings{.dtrOn = dtrOn_, .rtsOn = rtsOn_};
  }

  void SetModemLine(int line, bool on) const {
    [[maybe_unused]] const int result = ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &line);
  }

  // Waits until the device is ready for `events`, the deadline passes, the port is closed or
  // `stopFd` turns readable (-1: no stop to wait for).
  Readiness WaitFor(short events, std::optional<SteadyTime> until, int stopFd = -1) const {
    for (;;) {
      pollfd fds[3] = {{fd_, events, 0}, {wake_, POLLIN, 0}, {stopFd, POLLIN, 0}};
      const int result = ::poll(fds, 3, PollTimeout(until));
      if (result < 0 && errno == EINTR)
        continue;
      if (result < 0)
        return Readiness::Failed;
      if ((fds[1].revents & POLLIN) != 0)
        return Readiness::Closed;
      if ((fds[2].revents & POLLIN) != 0)
        return Readiness::Stopped;
      // Checked before readiness: a hung-up device reports POLLIN too, and nothing to read.
      if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0)
        return Readiness::Failed;
      if ((fds[0].revents & events) != 0)
        return Readiness::Ready;
      if (fds[0].revents != 0)
        return Readiness::Failed;
      if (result == 0)
        return Readiness::TimedOut;
    }
  }

  void NoteWriteError(std::string error) {
    MutexLock lock(mutex_);
    lastWriteError_ = std::move(error);
  }

  const int fd_;
  const int wake_;
  const dev_t device_;
  mutable Mutex mutex_;
  std::condition_variable_any idle_;
  int activeCalls_ GUARDED_BY(mutex_) = 0;
  bool closed_ GUARDED_BY(mutex_) = false;
  CommTimeouts timeouts_ GUARDED_BY(mutex_);
  bool dtrOn_ GUARDED_BY(mutex_) = true;
  bool rtsOn_ GUARDED_BY(mutex_) = true;
  std::string lastWriteError_ GUARDED_BY(mutex_);
};

// Raw mode keeps the line settings (speed, framing, flow control) the port already had.
bool MakeRaw(int fd) {
  termios attributes{};
  if (::tcgetattr(fd, &attributes) != 0)
    return false;
  const speed_t inSpeed = ::cfgetispeed(&attributes);
  const speed_t outSpeed = ::cfgetospeed(&attributes);
  const tcflag_t kept = attributes.c_cflag & (CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  const tcflag_t keptInput = attributes.c_iflag & (IXON | IXOFF);
  ::cfmakeraw(&attributes);
  attributes.c_cflag =
      (attributes.c_cflag & ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS)) | kept | CLOCAL | CREAD;
  attributes.c_iflag |= keptInput;
  ::cfsetispeed(&attributes, inSpeed);
  ::cfsetospeed(&attributes, outSpeed);
  return ::tcsetattr(fd, TCSANOW, &attributes) == 0;
}

PortOpening Failure(int fd, const std::string& path, const std::string& cause) {
  ::close(fd);
  return {nullptr, path + ": " + cause};
}

}  // namespace

PortOpening OpenSerialPortOrExplain(std::string_view portName) {
  const std::string path = SerialDevicePath(portName);
  if (path.empty())
    return {nullptr, "\"" + std::string(portName) + "\" is not a serial port name (COMn:)"};
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return {nullptr, path + ": " + ErrorText(errno)};
  struct stat status {};
  if (::fstat(fd, &status) != 0)
    return Failure(fd, path, ErrorText(errno));
  if (!S_ISCHR(status.st_mode) || !::isatty(fd))
    return Failure(fd, path, "not a terminal");
  if (!OpenDevices::Claim(status.st_rdev))
    return Failure(fd, path, ErrorText(EBUSY));
  const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wake < 0 || ::ioctl(fd, TIOCEXCL) != 0 || !MakeRaw(fd)) {
    const std::string cause = ErrorText(errno);
    if (wake >= 0)
      ::close(wake);
    OpenDevices::Release(status.st_rdev);
    return Failure(fd, path, cause);
  }
  return {std::make_shared<TermiosPort>(fd, wake, status.st_rdev), {}};
}

PortHandle OpenSerialPort(std::string_view portName) {
  return OpenSerialPortOrExplain(portName).port;
}

}  // namespace platform
