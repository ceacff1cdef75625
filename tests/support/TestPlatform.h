#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/sys/FakeSystemServices.h"
#include "platform/ui/Platform.h"

namespace testing_support {

// What ExitProcess throws in tests instead of ending the test program.
struct ProcessExit : std::runtime_error {
  explicit ProcessExit(int code)
      : std::runtime_error("process exit " + std::to_string(code)), exitCode(code) {}
  int exitCode;
};

// A fresh platform on a hand-moved clock, headless, whose ExitProcess throws.
struct TestPlatform {
  platform::FakeSystemServices services;
  std::unique_ptr<platform::Platform> platform;

  TestPlatform() {
    platform::PlatformOptions options;
    options.services = &services;
    options.exitHandler = [](int code) { throw ProcessExit(code); };
    platform = std::make_unique<platform::Platform>(std::move(options));
  }
  platform::Surface& Screen() { return platform->Screen(); }
};

}  // namespace testing_support
