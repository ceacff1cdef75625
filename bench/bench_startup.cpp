#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>

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
  std::string pattern = (std::filesystem::temp_directory_path() / "gradlog-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    state.SkipWithError("mkdtemp failed");
    return;
  }
  platform::SetDeviceRoot(pattern);
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
  std::error_code error;
  std::filesystem::remove_all(pattern, error);
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace
