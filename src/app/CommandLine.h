#pragma once

#include <optional>
#include <string>
#include <vector>

namespace gradlog {

enum class DisplayChoice { Automatic, Sdl, Headless };

struct CommandLine {
  std::string root = ".";
  DisplayChoice display = DisplayChoice::Automatic;
  int scale = 3;
  bool fullscreen = false;
  std::optional<std::string> scriptPath;
  bool help = false;
};

struct CommandLineResult {
  CommandLine options;
  std::string error;  // empty when the arguments were understood
};

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments);
std::string UsageText();

}  // namespace gradlog
