#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>
#include <string>

#include "BenchDeviceRoot.h"
#include "BenchProgram.h"
#include "NmeaLogs.h"
#include "common/UserMessages.h"
#include "datafile/RecordWriters.h"
#include "gps/FixDecoder.h"
#include "gps/FixMotion.h"
#include "gps/GpsReader.h"
#include "gps/LocalPlane.h"
#include "gps/SentenceCheck.h"
#include "gps/SentenceFramer.h"
#include "gps/SentenceSelection.h"
#include "logging/ButtonSets.h"

namespace {

constexpr std::size_t PEER_SENTENCES = 300000;
constexpr std::int32_t GGA = 1;

// Opens BENCH.601 in the root for recording.
bool StartRecording(gradlog::DataFileState& dataFile, const gradlog::ConfigState& config) {
  const std::string path = "C_DRIVE\\DATAZEP601\\BENCH.601";
  dataFile.dataFileHandle.Set(gradlog::DataFile::Create(path));
  dataFile.dataFilePath = path;
  if (!dataFile.dataFileHandle.Get())
    return false;
  gradlog::WriteDataFileHeader(dataFile, config);
  dataFile.recordingState = 1;
  return true;
}

// The GPS path a sentence takes, without the screen: framing, the frame and checksum checks,
// the sorting against the selection, the decoding of each fix with its plane position and
// speed, and the record group written to the data file. The same logs as the peer decodes,
// repeated to 300,000 sentences; items per second are sentences per second.
void BM_GpsSentencePath(benchmark::State& state) {
  const BenchDeviceRoot root;
  if (!root.Ready()) {
    state.SkipWithError("no temporary folder");
    return;
  }
  std::filesystem::create_directories(root.Path() / "C_DRIVE" / "DATAZEP601");
  const std::string stream = RecordedNmeaStream(PEER_SENTENCES);
  gradlog::ConfigState config;
  gradlog::DataFileState dataFile;
  if (stream.empty() || !StartRecording(dataFile, config)) {
    state.SkipWithError("no logs or no data file");
    return;
  }
  gradlog::GpsSentenceSelection selection;
  gradlog::SelectGpsSentence(selection, GGA);
  std::int64_t sentences = 0;
  for (auto _ : state) {
    gradlog::SentenceFramer framer;
    gradlog::GpsFix fix;
    std::uint32_t tick = 0;
    for (const char byte : stream) {
      const std::optional<std::string_view> sentence = framer.Feed(byte, tick);
      if (!sentence)
        continue;
      ++sentences;
      tick += 100;
      const gradlog::SentenceVerdict verdict =
          gradlog::ClassifySentence(*sentence, tick, selection, GGA, 910, fix);
      if (verdict.decodeFix) {
        const gradlog::DecodedFix decoded = gradlog::DecodeFix(*sentence, selection, GGA, 0);
        if (decoded.valid && decoded.latitude && decoded.longitude) {
          if (fix.haveOrigin == 0)
            fix.eastScale = gradlog::EastScaleAt(*decoded.latitude);
          gradlog::AdvanceFix(
              fix, gradlog::ToLocalPlane(*decoded.latitude, *decoded.longitude, fix.eastScale, 0),
              decoded.timeOfDay);
        }
      }
      if (verdict.recordCase != gradlog::SentenceCase::NotRecorded) {
        const gradlog::SentenceMarkers m = gradlog::MarkersFor(verdict.recordCase);
        gradlog::WriteSentenceRecords(dataFile, *sentence, tick, m.first, m.continuation, m.end,
                                      m.status);
      }
    }
  }
  state.SetItemsProcessed(sentences);
  dataFile.dataFileHandle.Take();
}
BENCHMARK(BM_GpsSentencePath)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// The UI thread's whole work for one sentence of a real receiver's mix while recording: the
// checks and sorting, the fix decoded into the GPS boxes with the lamps and the speed, the
// record group written. A sentence arrives every 100 ms of the clock, so one in ten GGAs is
// a fix.
void BM_GpsSentenceWhileRecording(benchmark::State& state) {
  const BenchDeviceRoot root;
  if (!root.Ready()) {
    state.SkipWithError("no temporary folder");
    return;
  }
  std::filesystem::create_directories(root.Path() / "C_DRIVE" / "DATAZEP601");
  const std::string stream = RecordedNmeaStream(1);
  BenchProgram program;
  gradlog::LoggingRun& run = program.app->loggingRun;
  run.config.settings.gpsInput = 1;
  run.config.settings.gpsDataType = GGA;
  gradlog::SelectGpsSentence(run.gps.sentence, GGA);
  run.logging.loggingActive = 1;
  if (stream.empty() || !StartRecording(run.dataFile, run.config)) {
    state.SkipWithError("no logs or no data file");
    return;
  }
  gradlog::ShowButtonSet(run, 1);
  platform::BringWindowToTop(run.logging.windows.logging);
  platform::ShowWindow(run.logging.windows.logging, true);
  platform::PumpMessages();
  std::vector<std::string> sentences;
  gradlog::SentenceFramer framer;
  for (const char byte : stream) {
    if (const std::optional<std::string_view> sentence = framer.Feed(byte, 0))
      sentences.emplace_back(*sentence);
  }
  std::size_t i = 0;
  for (auto _ : state) {
    platform::SendMessage(run.logging.windows.logging, gradlog::UM_GPS_SENTENCE, 0, 0,
                          gradlog::GpsSentence{sentences[i], program.services.TickCount()});
    program.services.Advance(100);
    i = (i + 1) % sentences.size();
  }
  state.SetItemsProcessed(state.iterations());
  run.dataFile.dataFileHandle.Take();
}
BENCHMARK(BM_GpsSentenceWhileRecording)->Unit(benchmark::kMicrosecond)->Repetitions(5);

}  // namespace
