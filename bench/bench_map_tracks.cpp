#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <optional>
#include <string>

#include "BenchDeviceRoot.h"
#include "datafile/DataFileState.h"
#include "datafile/RecordWriters.h"
#include "gps/ExternalTrackLoad.h"
#include "gps/LocalPlane.h"
#include "gps/LoggedTrackReload.h"
#include "gps/RecordedSentences.h"
#include "platform/sys/DevicePaths.h"

namespace {

using namespace gradlog;

constexpr int RUN_SECONDS = 4 * 60 * 60;
constexpr int READINGS_PER_SECOND = 10;
constexpr int ASCII_POSITIONS = 1'000'000;
constexpr char RUN_FILE[] = "C_DRIVE\\DATAZEP601\\FOURHOUR.601";
constexpr char ASCII_FILE[] = "C_DRIVE\\TRACKS\\MILLION.ASC";

constexpr double START_LATITUDE = 48.1;
constexpr double START_LONGITUDE = 11.5;
constexpr double LINE_LENGTH_M = 100.0;
constexpr double LINE_SPACING_M = 1.0;

double EastScale() {
  return std::cos(START_LATITUDE * std::numbers::pi / 180.0);
}

// The walk along survey lines: `metres` into the survey, back and forth on lines of
// LINE_LENGTH_M running north, each LINE_SPACING_M east of the last. Signed degrees.
struct Degrees {
  double latitude;
  double longitude;
};
Degrees SurveyWalkAt(double metres) {
  const int line = static_cast<int>(metres / LINE_LENGTH_M);
  const double along = std::fmod(metres, LINE_LENGTH_M);
  const double north = line % 2 == 0 ? along : LINE_LENGTH_M - along;
  const double east = line * LINE_SPACING_M;
  return {START_LATITUDE + north / METRES_PER_DEGREE,
          START_LONGITUDE + east / (METRES_PER_DEGREE * EastScale())};
}

std::string GgaSentence(int second, Degrees at) {
  const double latitudeMinutes = (at.latitude - std::floor(at.latitude)) * 60.0;
  const double longitudeMinutes = (at.longitude - std::floor(at.longitude)) * 60.0;
  char body[96];
  std::snprintf(body, sizeof body,
                "GPGGA,%02d%02d%02d.00,%02d%08.5f,N,%03d%08.5f,E,4,12,0.8,545.4,M,46.9,M,1.0,0000",
                second / 3600 % 24, second / 60 % 60, second % 60, static_cast<int>(at.latitude),
                latitudeMinutes, static_cast<int>(at.longitude), longitudeMinutes);
  unsigned sum = 0;
  for (const char* c = body; *c != '\0'; ++c)
    sum ^= static_cast<unsigned char>(*c);
  char sentence[112];
  std::snprintf(sentence, sizeof sentence, "$%s*%02X", body, sum);
  return sentence;
}

// The test files, written once into one device root for the whole program.
class MapTrackFiles {
 public:
  MapTrackFiles() {
    if (root_.Ready())
      ready_ = WriteRunFile() && WriteAsciiFile();
  }
  bool Ready() const {
    root_.Install();
    return ready_;
  }

 private:
  // Four hours at a walking pace: a fix a second, ten readings a second, written by the
  // logging's own record writers.
  static bool WriteRunFile() {
    std::filesystem::create_directories(platform::MapDevicePath(RUN_FILE).parent_path());
    DataFileState run;
    run.dataFileHandle.Set(DataFile::Create(RUN_FILE));
    bool written = WriteDataFileHeader(run, ConfigState{});
    std::uint32_t tick = 1000;
    for (int second = 0; second < RUN_SECONDS && written; ++second) {
      written = WriteSentenceRecords(run, GgaSentence(second, SurveyWalkAt(second)), tick, '@', '#',
                                     '!', FIX_STATUS);
      for (int k = 0; k < READINGS_PER_SECOND && written; ++k) {
        char reading[48];
        std::snprintf(reading, sizeof reading, "$PBAR,%9.3f,%9.3f",
                      1000.0 + (second * 37 + k) % 900, -200.0 + (second * 53 + k) % 400);
        ++run.gradReadingCount;
        written = WriteReadingRecords(run, reading, tick, 'T', '=', '>');
        tick += 1000 / READINGS_PER_SECOND;
      }
    }
    run.dataFileHandle.Take();
    return written;
  }

  // A million positions of a survey walked at a metre a position, longitude before latitude.
  static bool WriteAsciiFile() {
    const std::filesystem::path path = platform::MapDevicePath(ASCII_FILE);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "Longitude Latitude\n";
    for (int i = 0; i < ASCII_POSITIONS; ++i) {
      const Degrees at = SurveyWalkAt(i);
      char line[48];
      std::snprintf(line, sizeof line, "%.8f %.8f\n", at.longitude, at.latitude);
      out << line;
    }
    return static_cast<bool>(out);
  }

  BenchDeviceRoot root_;
  bool ready_ = false;
};

const MapTrackFiles& Files() {
  static const MapTrackFiles files;
  return files;
}

TrackPlane SurveyPlane() {
  const PlanePoint origin = ToLocalPlane(START_LATITUDE, START_LONGITUDE, EastScale(), 0);
  return {.originNorth = origin.north, .originEast = origin.east};
}

// The logged track rebuilt after a rescale, from a four-hour run's data file (14,400 fixes
// among 144,000 readings).
void BM_ReloadLoggedTrackOfAFourHourRun(benchmark::State& state) {
  if (!Files().Ready()) {
    state.SkipWithError("the test files could not be written");
    return;
  }
  TrackBuffers track;
  track.trackBuffersReserved = 1;
  const TrackDecoding decoding{.eastScale = EastScale()};
  const TrackPlane plane = SurveyPlane();
  for (auto _ : state) {
    const std::optional<PlanePoint> last =
        ReloadLoggedTrackFromFile(track, RUN_FILE, decoding, plane);
    benchmark::DoNotOptimize(last);
  }
  state.counters["positions"] = track.trackPositionCount;
  state.counters["file_MB"] =
      static_cast<double>(std::filesystem::file_size(platform::MapDevicePath(RUN_FILE))) / 1e6;
}
BENCHMARK(BM_ReloadLoggedTrackOfAFourHourRun)->Unit(benchmark::kMillisecond);

// The first load of an ASCII file of a million positions, with memory for all of them: the
// counting pass, the filling pass and the sort.
void BM_LoadMillionPositionAsciiTrack(benchmark::State& state) {
  if (!Files().Ready()) {
    state.SkipWithError("the test files could not be written");
    return;
  }
  const ExternalLoadRequest request{
      .mode = ExternalLoadMode::First,
      .decoding = {.source = TrackSource::External, .eastScale = EastScale()},
      .plane = SurveyPlane(),
      .availableBytes = std::uint64_t{1} << 32};
  ExternalTrack external;
  for (auto _ : state) {
    external.isAscii = 1;
    external.filePath = ASCII_FILE;
    const ExternalLoadResult result = LoadExternalTrackFromFile(external, request);
    benchmark::DoNotOptimize(result);
  }
  state.counters["positions"] = static_cast<double>(external.points.Count());
}
BENCHMARK(BM_LoadMillionPositionAsciiTrack)->Unit(benchmark::kMillisecond);

}  // namespace
