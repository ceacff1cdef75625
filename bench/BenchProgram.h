#pragma once

#include <memory>

#include "app/AppState.h"
#include "app/MainRoutine.h"
#include "platform/sys/FakeSystemServices.h"
#include "platform/ui/Platform.h"

// The program started on a headless platform with a hand-moved clock, up to its first idle
// screen.
struct BenchProgram {
  BenchProgram() {
    platform::PlatformOptions options;
    options.services = &services;
    platform = std::make_unique<platform::Platform>(std::move(options));
    app = std::make_unique<gradlog::AppState>();
    gradlog::RegisterWindowClasses(*app);
    gradlog::CreateMainWindow(*app);
    platform::PumpMessages();
  }
  ~BenchProgram() {
    app->keepAlive.Stop();
    app.reset();
  }
  BenchProgram(const BenchProgram&) = delete;
  BenchProgram& operator=(const BenchProgram&) = delete;

  platform::FakeSystemServices services;
  std::unique_ptr<platform::Platform> platform;
  std::unique_ptr<gradlog::AppState> app;
};
