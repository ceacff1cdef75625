#include <benchmark/benchmark.h>

#include <memory>

#include "BenchDeviceRoot.h"
#include "BenchProgram.h"

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
    auto program = std::make_unique<BenchProgram>();
    benchmark::DoNotOptimize(program->platform->Screen().Pixels().data());
    state.PauseTiming();
    program.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace
