#include "app/CommandLine.h"

#include <charconv>

namespace gradlog {

namespace {

constexpr int LARGEST_SCALE = 8;

std::optional<int> ParseScale(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  if (value < 1 || value > LARGEST_SCALE)
    return std::nullopt;
  return value;
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLineResult result;
  CommandLine& options = result.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    auto fail = [&](std::string message) {
      result.error = std::move(message);
      return result;
    };
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--fullscreen") {
      options.fullscreen = true;
    } else if (arg == "--root" || arg == "--display" || arg == "--scale" || arg == "--script") {
      if (!hasValue)
        return fail(arg + " needs a value");
      const std::string& value = arguments[++i];
      if (arg == "--root") {
        options.root = value;
      } else if (arg == "--script") {
        options.scriptPath = value;
      } else if (arg == "--scale") {
        const std::optional<int> scale = ParseScale(value);
        if (!scale)
          return fail("--scale takes a whole number from 1 to 8, not \"" + value + "\"");
        options.scale = *scale;
      } else if (value == "sdl") {
        options.display = DisplayChoice::Sdl;
      } else if (value == "headless") {
        options.display = DisplayChoice::Headless;
      } else {
        return fail("--display takes sdl or headless, not \"" + value + "\"");
      }
    } else {
      return fail("unknown argument \"" + arg + "\"");
    }
  }
  return result;
}

std::string UsageText() {
  return "usage: gradlog [--root DIR] [--display sdl|headless] [--scale N] [--fullscreen]\n"
         "               [--script FILE]\n"
         "  --root DIR       device root holding C_DRIVE, Storage Card and dev (default .)\n"
         "  --display KIND   sdl or headless (default: sdl when a display is reachable)\n"
         "  --scale N        whole-number zoom of the SDL window, 1 to 8 (default 3)\n"
         "  --fullscreen     fill the screen (a handheld without a desktop)\n"
         "  --script FILE    feed timed input from FILE\n";
}

}  // namespace gradlog
