#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "app/AppState.h"
#include "app/CommandLine.h"
#include "app/EndRequest.h"
#include "app/MainRoutine.h"
#include "platform/sys/DevicePaths.h"
#include "platform/sys/TerminationSignals.h"
#include "platform/ui/Platform.h"

namespace {

constexpr int USAGE_ERROR = 64;

std::unique_ptr<platform::Backend> MakeBackend(const gradlog::CommandLine& options) {
  const bool sdl =
      options.display == gradlog::DisplayChoice::Sdl ||
      (options.display == gradlog::DisplayChoice::Automatic && platform::DisplayReachable());
  if (!sdl)
    return platform::MakeHeadlessBackend();
  return platform::MakeSdlBackend(options.scale, options.fullscreen);
}

std::optional<std::vector<platform::ScriptCommand>> LoadScript(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::cerr << "gradlog: cannot read the script " << path << '\n';
    return std::nullopt;
  }
  std::ostringstream text;
  text << file.rdbuf();
  platform::ScriptParseResult parsed = platform::ParseScript(text.str());
  if (!parsed.error.empty()) {
    std::cerr << "gradlog: " << path << ": " << parsed.error << '\n';
    return std::nullopt;
  }
  return std::move(parsed.commands);
}

}  // namespace

int main(int argc, char** argv) {
  // First, before any thread exists: a shutdown or Ctrl+C then ends a run with its file whole.
  gradlog::EndRequest endRequest;
  const platform::TerminationSignals signals([&endRequest](int) { endRequest.Request(); });
  // A file grown to the size limit fails its write (and the run shows it) instead of killing
  // the program with what it has not written yet.
  std::signal(SIGXFSZ, SIG_IGN);
  const gradlog::CommandLineResult parsed =
      gradlog::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << "gradlog: " << parsed.error << "\n" << gradlog::UsageText();
    return USAGE_ERROR;
  }
  const gradlog::CommandLine& options = parsed.options;
  if (options.help) {
    std::cout << gradlog::UsageText();
    return 0;
  }

  // A mistyped root must not become a new, empty device with the default settings.
  std::error_code error;
  if (!std::filesystem::exists(options.root, error)) {
    std::cerr << "gradlog: the device root " << options.root << " does not exist\n";
    return USAGE_ERROR;
  }
  if (!std::filesystem::is_directory(options.root, error)) {
    std::cerr << "gradlog: the device root " << options.root << " is not a folder\n";
    return USAGE_ERROR;
  }
  platform::SetDeviceRoot(options.root);

  platform::PlatformOptions platformOptions;
  if (options.scriptPath) {
    auto script = LoadScript(*options.scriptPath);
    if (!script)
      return USAGE_ERROR;
    platformOptions.script = std::move(*script);
  }
  try {
    platformOptions.backend = MakeBackend(options);
  } catch (const std::exception& failure) {
    std::cerr << "gradlog: no display: " << failure.what() << '\n';
    return 1;
  }

  try {
    platform::Platform platform(std::move(platformOptions));
    auto app = std::make_unique<gradlog::AppState>();
    const int code = gradlog::RunMainRoutine(
        *app, [&endRequest](platform::Hwnd main) { endRequest.SetTarget(main); });
    endRequest.SetTarget({});
    return code;
  } catch (const std::exception& failure) {
    std::cerr << "gradlog: " << failure.what() << '\n';
    return 1;
  }
}
