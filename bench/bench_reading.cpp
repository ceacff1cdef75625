#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "BenchDeviceRoot.h"
#include "BenchProgram.h"
#include "common/UserMessages.h"
#include "datafile/RecordWriters.h"
#include "logging/ButtonSets.h"
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
    BenchProgram program;
    gradlog::LoggingRun& run = program.app->loggingRun;
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
                            gradlog::GradLine{line, program.services.TickCount()});
      program.services.Advance(100);
      ++i;
    }
    run.dataFile.dataFileHandle.Take();
  }
}
BENCHMARK(BM_ReadingWhileRecording)->Unit(benchmark::kMicrosecond)->Repetitions(5);

}  // namespace
