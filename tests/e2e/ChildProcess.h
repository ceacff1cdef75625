#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "support/TempFolder.h"

extern char** environ;

namespace e2e {

// Polls `ready` until it holds; false when `limit` passed first.
inline bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit) {
  for (const auto deadline = std::chrono::steady_clock::now() + limit; !ready();) {
    if (std::chrono::steady_clock::now() > deadline)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// A program started with posix_spawn, `environment` ahead of the test's own; with an
// `outputFolder` its stdout and stderr go to files there. Killed if still running at the end.
class ChildProcess {
 public:
  explicit ChildProcess(std::vector<std::string> arguments,
                        std::vector<std::string> environment = {},
                        const std::filesystem::path& outputFolder = {}) {
    for (char** e = environ; *e != nullptr; ++e)
      environment.emplace_back(*e);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const int fd : {1, 2}) {
      if (!outputFolder.empty())
        posix_spawn_file_actions_addopen(&actions, fd,
                                         (outputFolder / (fd == 1 ? "stdout" : "stderr")).c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    const int failed = posix_spawnp(&pid_, arguments[0].c_str(), &actions, nullptr,
                                    Pointers(arguments).data(), Pointers(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
      throw std::runtime_error("cannot start " + arguments[0]);
  }
  ~ChildProcess() {
    if (!exitCode_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  void Signal(int signal) { kill(pid_, signal); }
  pid_t Pid() const { return pid_; }

  // The exit code, or nullopt when the program is still running after `limit`.
  std::optional<int> Wait(std::chrono::milliseconds limit) {
    WaitFor(
        [this] {
          int status = 0;
          if (!exitCode_ && waitpid(pid_, &status, WNOHANG) == pid_)
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
          return exitCode_.has_value();
        },
        limit);
    return exitCode_;
  }

 private:
  static std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings)
      pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
  }

  pid_t pid_ = -1;
  std::optional<int> exitCode_;
};

// Runs the logger headless on `root` with the script; its exit code, or nullopt after a minute.
inline std::optional<int> RunGradlogHeadless(const std::filesystem::path& root,
                                             const std::string& script) {
  testing_support::TempFolder folder;
  const std::filesystem::path path = folder.Path() / "run.script";
  testing_support::TempFolder::WriteFile(path, script);
  ChildProcess gradlog({GRADLOG_BINARY, "--root", root.string(), "--display", "headless",
                        "--script", path.string()});
  return gradlog.Wait(std::chrono::seconds(60));
}

}  // namespace e2e
