#include <signal.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "gradsim/Options.h"
#include "gradsim/Simulator.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
  stopRequested = 1;
}

// No SA_RESTART: a signal wakes the main loop's poll at once.
void InstallSignalHandlers() {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
  // A reader of our output that went away must not kill us before the links are removed.
  signal(SIGPIPE, SIG_IGN);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const gradsim::ParsedOptions parsed = gradsim::ParseOptions(arguments);
  if (parsed.help) {
    std::cout << gradsim::HelpText();
    return 0;
  }
  if (!parsed.options) {
    std::cerr << "gradsim: " << parsed.error << "\n" << gradsim::USAGE_LINE << std::endl;
    return gradsim::EXIT_USAGE;
  }
  InstallSignalHandlers();
  return gradsim::RunSimulator(*parsed.options, stopRequested, std::cout, std::cerr);
}
