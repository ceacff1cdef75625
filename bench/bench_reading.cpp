#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "BenchDeviceRoot.h"
#include "app/AppState.h"
#include "app/MainRoutine.h"
#include "common/UserMessages.h"
#include "datafile/RecordWriters.h"
#include "logging/ButtonSets.h"
#include "platform/sys/DevicePaths.h"
#include "platform/sys/FakeSystemServices.h"
#include "platform/ui/Platform.h"
#include "serial/GradReader.h"

namespace {

// The UI thread's whole work for one reading while recording in profile view: the line
// stored, decoded, its group written to the data file, the profile stepped, the bars, the two
// number boxes and the station box drawn.
void BM_ReadingWhileRecording(benchmark::State& state) {
  const BenchDeviceRoot root;
  if (!root.Ready()) {
    state.SkipWithError("no temporary folder");
    return;
  }
  std::filesystem::create_directories(root.Path() / "C_DRIVE" / "DATAZEP601");
  {
    platform::FakeSystemServices services;
    platform::PlatformOptions options;
    options.services = &services;
    platform::Platform platform(std::move(options));
    auto app = std::make_unique<gradlog::AppState>();
    gradlog::RegisterWindowClasses(*app);
    gradlog::CreateMainWindow(*app);
    platform::PumpMessages();
    gradlog::LoggingRun& run = app->loggingRun;
    run.display.mapViewShown = 0;
    run.logging.loggingActive = 1;
    const std::string path = "C_DRIVE\\DATAZEP601\\BENCH.601";
    run.dataFile.dataFileHandle.Set(gradlog::DataFile::Create(path));
    run.dataFile.dataFilePath = path;
    gradlog::WriteDataFileHeader(run.dataFile, run.config);
    run.dataFile.recordingState = 1;
    gradlog::ShowButtonSet(run, 1);
    platform::BringWindowToTop(run.logging.windows.logging);
    platform::ShowWindow(run.logging.windows.logging, true);
    platform::PumpMessages();
    int i = 0;
    for (auto _ : state) {
      const std::string line = "$PBAR," + std::to_string(900 + i % 200) + ".125," +
                               std::to_string(1100 - i % 300) + ".250";
      platform::SendMessage(run.logging.windows.logging, gradlog::UM_GRAD_DATA, 0, 0,
                            gradlog::GradLine{line, services.TickCount()});
      services.Advance(100);
      ++i;
    }
    run.dataFile.dataFileHandle.Take();
    app->keepAlive.Stop();
  }
}
BENCHMARK(BM_ReadingWhileRecording)->Unit(benchmark::kMicrosecond)->Repetitions(5);

}  // namespace
