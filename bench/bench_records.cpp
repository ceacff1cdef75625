#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "BenchDeviceRoot.h"
#include "datafile/DataFileState.h"
#include "datafile/RecordFormat.h"
#include "datafile/RecordWriters.h"
#include "platform/sys/DevicePaths.h"

namespace {

// A gradiometer line of two channels, as the instrument sends it.
const std::string PBAR_LINE = "$PBAR,01234,-567";
const std::string GGA_SENTENCE =
    "$GPGGA,102007.250,5230.12345,N,01322.56789,E,1,08,0.9,45.3,M,47.0,M,,*6D";

// A data file in a fresh folder, synced once a second by its own thread as during a run.
class BenchDataFile {
 public:
  BenchDataFile() {
    if (root_.Ready())
      run->dataFileHandle.Set(gradlog::DataFile::Create("bench.601"));
  }
  ~BenchDataFile() { run.reset(); }
  BenchDataFile(const BenchDataFile&) = delete;
  BenchDataFile& operator=(const BenchDataFile&) = delete;

  bool Open() const { return run->dataFileHandle.Get() != nullptr; }

  std::unique_ptr<gradlog::DataFileState> run = std::make_unique<gradlog::DataFileState>();

 private:
  BenchDeviceRoot root_;
};

// One writer call per iteration, counted in records written, with the run's counter
// advanced as the caller would.
template <typename WriteGroup>
void GroupsToFile(benchmark::State& state, WriteGroup writeGroup) {
  BenchDataFile file;
  if (!file.Open()) {
    state.SkipWithError("cannot create the data file");
    return;
  }
  std::uint32_t tick = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(writeGroup(*file.run, tick += 100));
  state.SetItemsProcessed(
      static_cast<std::int64_t>(file.run->dataFileHandle.Get()->RecordsWritten()));
  state.SetLabel("items = records");
}

void BM_ReadingGroupToFile(benchmark::State& state) {
  GroupsToFile(state, [](gradlog::DataFileState& run, std::uint32_t tick) {
    ++run.gradReadingCount;
    return gradlog::WriteReadingRecords(run, PBAR_LINE, tick, 'T', '=', '>');
  });
}
BENCHMARK(BM_ReadingGroupToFile);

void BM_SentenceGroupToFile(benchmark::State& state) {
  GroupsToFile(state, [](gradlog::DataFileState& run, std::uint32_t tick) {
    ++run.gpsRecordCount;
    return gradlog::WriteSentenceRecords(run, GGA_SENTENCE, tick, '@', '#', '!', 'p');
  });
}
BENCHMARK(BM_SentenceGroupToFile);

void BM_SplitSentenceIntoGroupPieces(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(gradlog::SplitIntoGroupPieces(GGA_SENTENCE, '@', '#'));
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("items = sentences");
}
BENCHMARK(BM_SplitSentenceIntoGroupPieces);

}  // namespace
