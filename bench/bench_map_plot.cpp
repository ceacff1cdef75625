#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "config/SurveySettings.h"
#include "display/DrawingResources.h"
#include "display/MapGeometry.h"
#include "display/MapView.h"
#include "gps/GpsState.h"
#include "gps/TrackPlane.h"
#include "platform/gfx/DeviceContext.h"

namespace {

using namespace gradlog;

constexpr int SCREEN_WIDTH = 320;
constexpr int SCREEN_HEIGHT = 240;
constexpr int CURVE_LEFT = 4;
constexpr int CURVE_SIZE = 215;

// The survey: north-south lines 1 m apart over 400 m x 400 m north-east of the run's origin,
// a position every 0.16 m, one million in all. The run has walked 30 lines of 50 m near the
// origin, a position every 0.5 m.
constexpr int SURVEY_LINES = 400;
constexpr int POSITIONS_PER_LINE = 2500;
constexpr double SURVEY_STEP = 0.16;
constexpr int WALKED_LINES = 30;
constexpr int WALKED_POSITIONS_PER_LINE = 100;

// The logging screen's curve window on the screen, with a run's map state at `mapScale`.
struct MapBench {
  SurveySettings settings;
  MapGeometry geometry;
  MapViewState view;
  MapResources pens;
  DrawingResources drawing = CreateDrawingResources();
  TrackBuffers track;
  ExternalTrack external;
  GpsFix fix;
  platform::Surface screen{SCREEN_WIDTH, SCREEN_HEIGHT, 0xFFFFFF};
  platform::DeviceContext dc{
      screen,
      {CURVE_LEFT, CURVE_LEFT},
      platform::Region(platform::Rect::FromSize(CURVE_LEFT, CURVE_LEFT, CURVE_SIZE, CURVE_SIZE))};

  MapBench(std::int32_t mapScale, int externalLines) {
    settings.mapScale = mapScale;
    pens = CreateMapResources(settings);
    ComputeMapExtent(geometry, CURVE_SIZE, CURVE_SIZE, settings);
    ComputeMapMarker(geometry, CURVE_SIZE, settings);
    ResetMapView(view, geometry, settings);
    const TrackPlane plane = MapTrackPlane(geometry, fix);
    track.points.Reset(static_cast<std::size_t>(track.trackBufferSize));
    for (int line = 0; line < WALKED_LINES; ++line) {
      for (int i = 0; i < WALKED_POSITIONS_PER_LINE; ++i) {
        const double along = (line % 2 == 0 ? i : WALKED_POSITIONS_PER_LINE - 1 - i) * 0.5;
        track.points.Insert(ToTrackPixel(plane, {along - 20.0, 2.0 * line - 30.0}));
        ++track.trackPositionCount;
      }
    }
    const std::size_t count = static_cast<std::size_t>(externalLines) * POSITIONS_PER_LINE;
    external.points.Reset(count);
    for (int line = 0; line < externalLines; ++line) {
      for (int i = 0; i < POSITIONS_PER_LINE; ++i)
        external.points.Append(ToTrackPixel(plane, {i * SURVEY_STEP, static_cast<double>(line)}));
    }
    external.points.SortByY();
    external.loaded = 1;
  }

  MapScene Scene() {
    return {view, geometry, settings, pens, drawing, track, external, MapTrackPlane(geometry, fix)};
  }
};

// Recording with the position moving about inside the view: the marker moves and the
// previous position becomes a mark. Every fix is stored, so the track grows by the
// iterations.
void BM_PlotPositionInsideTheView(benchmark::State& state) {
  MapBench bench(10, SURVEY_LINES);
  MapScene scene = bench.Scene();
  PlotPosition(bench.dc, scene, true, {0.0, 0.0});
  const std::vector<PlanePoint> loop{{0.5, 0.0},  {0.5, 0.5},   {0.0, 0.5},  {-0.5, 0.5},
                                     {-0.5, 0.0}, {-0.5, -0.5}, {0.0, -0.5}, {0.5, -0.5}};
  std::size_t i = 0;
  for (auto _ : state) {
    PlotPosition(bench.dc, scene, true, loop[i]);
    i = (i + 1) % loop.size();
  }
  benchmark::DoNotOptimize(bench.screen.Pixels().data());
}
BENCHMARK(BM_PlotPositionInsideTheView)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(3000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Recording at 3 m a fix round a 60 m square over the survey: every fix scrolls the view by
// about 60 pixels and draws the strip it uncovers.
void BM_PlotPositionScrolling(benchmark::State& state) {
  MapBench bench(10, SURVEY_LINES);
  MapScene scene = bench.Scene();
  PlotPosition(bench.dc, scene, true, {0.0, 0.0});
  std::vector<PlanePoint> loop;
  constexpr int SIDE = 20;
  constexpr double STEP = 3.0;
  for (int k = 1; k <= SIDE; ++k)
    loop.push_back({0.0, k * STEP});
  for (int k = 1; k <= SIDE; ++k)
    loop.push_back({k * STEP, SIDE * STEP});
  for (int k = 1; k <= SIDE; ++k)
    loop.push_back({SIDE * STEP, (SIDE - k) * STEP});
  for (int k = 1; k <= SIDE; ++k)
    loop.push_back({(SIDE - k) * STEP, 0.0});
  std::size_t i = 0;
  for (auto _ : state) {
    PlotPosition(bench.dc, scene, true, loop[i]);
    i = (i + 1) % loop.size();
  }
  benchmark::DoNotOptimize(bench.screen.Pixels().data());
}
BENCHMARK(BM_PlotPositionScrolling)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(3000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The whole map drawn anew over the million-position survey: at 10 m a corner of it is in
// view, at 100 m a quarter of the view, at 500 m 250 m x 250 m of it.
void BM_RedrawMapOverAMillionExternalPositions(benchmark::State& state) {
  MapBench bench(static_cast<std::int32_t>(state.range(0)), SURVEY_LINES);
  MapScene scene = bench.Scene();
  PlotPosition(bench.dc, scene, false, {0.0, 0.0});
  for (auto _ : state)
    RedrawMap(bench.dc, scene, PlanePoint{0.0, 0.0});
  benchmark::DoNotOptimize(bench.screen.Pixels().data());
}
BENCHMARK(BM_RedrawMapOverAMillionExternalPositions)
    ->Arg(10)
    ->Arg(100)
    ->Arg(500)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
