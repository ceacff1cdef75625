#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>

#include "BenchDeviceRoot.h"
#include "app/AppState.h"
#include "app/MainRoutine.h"
#include "platform/sys/DevicePaths.h"
#include "platform/sys/FakeSystemServices.h"
#include "platform/ui/Platform.h"
#include "platform/ui/Window.h"

namespace {

// Start-up to the first painted frame: classes, main window, settings load (the file exists
// after the first iteration, as on every start but the first), fonts and pens, child windows,
// buttons, and every paint until the screen is idle.
void BM_StartUpToFirstFrame(benchmark::State& state) {
  const BenchDeviceRoot root;
  if (!root.Ready()) {
    state.SkipWithError("no temporary folder");
    return;
  }
  for (auto _ : state) {
    platform::FakeSystemServices services;
    platform::PlatformOptions options;
    options.services = &services;
    platform::Platform platform(std::move(options));
    auto app = std::make_unique<gradlog::AppState>();
    gradlog::RegisterWindowClasses(*app);
    gradlog::CreateMainWindow(*app);
    platform::PumpMessages();
    benchmark::DoNotOptimize(platform.Screen().Pixels().data());
    state.PauseTiming();
    app->keepAlive.Stop();
    app.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace
