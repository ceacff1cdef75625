#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <optional>
#include <stdexcept>
#include <type_traits>

namespace testing_support {

// A function run in a forked copy of the test process, which may report values back through
// a pipe. Fork only while the test runs no other thread: the child has just the forking
// thread, so a lock held by another would never be released in it. The child ends with
// _exit, never returning into the test framework; it is killed if still running when this
// goes out of scope.
class ForkedChild {
 public:
  explicit ForkedChild(const std::function<void(ForkedChild&)>& body) {
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
      throw std::runtime_error("pipe2 failed");
    pid_ = ::fork();
    if (pid_ < 0)
      throw std::runtime_error("fork failed");
    if (pid_ == 0) {
      ::close(pipe[0]);
      writeFd_ = pipe[1];
      RunAsChild(body);
    }
    ::close(pipe[1]);
    readFd_ = pipe[0];
  }
  ~ForkedChild() {
    if (!exitCode_)
      Kill();
    ::close(readFd_);
  }
  ForkedChild(const ForkedChild&) = delete;
  ForkedChild& operator=(const ForkedChild&) = delete;

  // In the child: hands `value` to the parent.
  template <typename T>
  requires std::is_trivially_copyable_v<T>
  void Send(const T& value) {
    const char* bytes = reinterpret_cast<const char*>(&value);
    std::size_t sent = 0;
    while (sent < sizeof(T)) {
      const ssize_t count = ::write(writeFd_, bytes + sent, sizeof(T) - sent);
      if (count < 0 && errno == EINTR)
        continue;
      if (count <= 0)
        ::_exit(EXIT_REPORT_FAILED);
      sent += static_cast<std::size_t>(count);
    }
  }

  // In the parent: the next value the child sent; nothing when it ended before sending one.
  template <typename T>
  requires std::is_trivially_copyable_v<T> std::optional<T> Receive() {
    T value;
    char* bytes = reinterpret_cast<char*>(&value);
    std::size_t received = 0;
    while (received < sizeof(T)) {
      const ssize_t count = ::read(readFd_, bytes + received, sizeof(T) - received);
      if (count < 0 && errno == EINTR)
        continue;
      if (count <= 0)
        return std::nullopt;
      received += static_cast<std::size_t>(count);
    }
    return value;
  }

  // In the parent: ends the child at once, wherever it is, as a power cut would.
  void Kill() {
    ::kill(pid_, SIGKILL);
    Wait();
  }

  // In the parent: waits for the child to end; its exit code, or 128 + the signal that ended it.
  int Wait() {
    while (!exitCode_) {
      int status = 0;
      if (::waitpid(pid_, &status, 0) == pid_)
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      else if (errno != EINTR)
        exitCode_ = -1;
    }
    return *exitCode_;
  }

  static constexpr int EXIT_THREW = 101;
  static constexpr int EXIT_REPORT_FAILED = 102;

 private:
  [[noreturn]] void RunAsChild(const std::function<void(ForkedChild&)>& body) {
    int exitCode = 0;
    try {
      body(*this);
    } catch (...) {
      exitCode = EXIT_THREW;
    }
    ::_exit(exitCode);
  }

  pid_t pid_ = -1;
  int readFd_ = -1;
  int writeFd_ = -1;
  std::optional<int> exitCode_;
};

}  // namespace testing_support
