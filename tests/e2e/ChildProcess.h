#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace e2e {

// A program started with posix_spawn; killed if still running when it goes out of scope.
class ChildProcess {
 public:
  ChildProcess(const std::vector<std::string>& arguments,
               const std::vector<std::string>& extraEnvironment = {}) {
    std::vector<char*> argv;
    for (const std::string& a : arguments)
      argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    environment_.assign(extraEnvironment.begin(), extraEnvironment.end());
    for (char** e = environ; *e != nullptr; ++e)
      environment_.emplace_back(*e);
    std::vector<char*> envp;
    for (const std::string& e : environment_)
      envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    if (posix_spawnp(&pid_, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) {
      throw std::runtime_error("cannot start " + arguments.front());
    }
  }
  ~ChildProcess() {
    if (pid_ > 0 && !exitCode_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The exit code, or nullopt when the program is still running after `limit`.
  std::optional<int> Wait(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!exitCode_) {
      int status = 0;
      const pid_t done = waitpid(pid_, &status, WNOHANG);
      if (done == pid_) {
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        break;
      }
      if (std::chrono::steady_clock::now() > deadline)
        return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return exitCode_;
  }

 private:
  pid_t pid_ = -1;
  std::optional<int> exitCode_;
  std::vector<std::string> environment_;
};

// Runs the logger headless on `root` with a script; its exit code, or nullopt after a minute.
inline std::optional<int> RunGradlogHeadless(const std::filesystem::path& root,
                                             const std::filesystem::path& script) {
  ChildProcess gradlog({GRADLOG_BINARY, "--root", root.string(), "--display", "headless",
                        "--script", script.string()});
  return gradlog.Wait(std::chrono::seconds(60));
}

}  // namespace e2e
