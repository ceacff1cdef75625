#include <benchmark/benchmark.h>

#include "platform/gfx/DeviceContext.h"

namespace {

using namespace platform;

constexpr int SCREEN_WIDTH = 320;
constexpr int SCREEN_HEIGHT = 240;

// The logging screen's profile scroll: the plot area moves two pixels left each reading.
void ProfileScroll(benchmark::State& state) {
  Surface screen(SCREEN_WIDTH, SCREEN_HEIGHT, 0xFFFFFF);
  DeviceContext dc(screen, {0, 0}, Region(screen.Bounds()));
  constexpr int LEFT = 10;
  constexpr int TOP = 20;
  for (auto _ : state) {
    dc.BitBlt(LEFT, TOP, 166, 215, dc, LEFT + 2, TOP);
    benchmark::DoNotOptimize(screen.Pixels().data());
  }
}
BENCHMARK(ProfileScroll);

void FullScreenFill(benchmark::State& state) {
  Surface screen(SCREEN_WIDTH, SCREEN_HEIGHT);
  DeviceContext dc(screen, {0, 0}, Region(screen.Bounds()));
  const BrushHandle brush = CreateSolidBrush(Rgb(10, 200, 30));
  for (auto _ : state) {
    dc.FillRect(screen.Bounds(), brush);
    benchmark::DoNotOptimize(screen.Pixels().data());
  }
}
BENCHMARK(FullScreenFill);

void TextOutTwelveCharacters(benchmark::State& state) {
  Surface screen(SCREEN_WIDTH, SCREEN_HEIGHT, 0xFFFFFF);
  DeviceContext dc(screen, {0, 0}, Region(screen.Bounds()));
  for (auto _ : state) {
    dc.TextOut(40, 100, "Line 12: 3.5");
    benchmark::DoNotOptimize(screen.Pixels().data());
  }
}
BENCHMARK(TextOutTwelveCharacters);

}  // namespace
