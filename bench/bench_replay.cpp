#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "BenchDeviceRoot.h"
#include "config/SurveySettings.h"
#include "datafile/RecordFormat.h"
#include "display/DisplayScales.h"
#include "display/DisplayState.h"
#include "display/DrawingResources.h"
#include "display/ProfileCurves.h"
#include "display/ProfileReplay.h"
#include "platform/sys/DevicePaths.h"
#include "platform/sys/FakeSystemServices.h"
#include "platform/ui/Platform.h"
#include "platform/ui/Window.h"

namespace {

using namespace gradlog;

constexpr int READINGS_PER_SECOND = 5;
constexpr int READINGS_PER_STATION = 5 * 60 * READINGS_PER_SECOND;
constexpr const char* GGA =
    "$GPGGA,123519.00,4807.03812,N,01131.00012,E,4,12,0.9,545.4,M,46.9,M,,*47";

void Append(std::string& bytes, const Record& record) {
  bytes.append(record.data(), record.size());
}

// A run of `minutes` on one line: two-sensor readings at 5 Hz, a GPS sentence group every
// second and a station mark every five minutes, after the header and the line's records.
std::string SurveyFile(const SurveySettings& settings, int minutes) {
  std::string bytes;
  const platform::LocalTime start{.year = 2026, .month = 12, .day = 5, .hour = 8};
  Append(bytes, FormatFormatRecord(settings));
  Append(bytes, FormatNameRecord(settings, "BENCH001"));
  Append(bytes, FormatPositioningRecord(settings, 0.0f, 0.0f));
  Append(bytes, FormatLineRecord("1"));
  Append(bytes, FormatStartStationRecord(0.0));
  Append(bytes, FormatDirectionRecord(1, 1.0f));
  Append(bytes, FormatDateTimeRecord(start));
  Append(bytes, FormatClockRecord(start, 0));
  const int readings = minutes * 60 * READINGS_PER_SECOND;
  std::uint32_t tick = 1000;
  for (int k = 1; k <= readings; ++k, tick += 1000 / READINGS_PER_SECOND) {
    char text[48];
    std::snprintf(text, sizeof text, "$PBAR,%9.3f,%9.3f", 1000.0 + (k * 37) % 900,
                  -200.0 + (k * 53) % 400);
    for (const Record& record : SplitIntoGroupPieces(text, 'T', '='))
      Append(bytes, record);
    Append(bytes, FormatReadingEndRecord('>', k, tick));
    if (k % READINGS_PER_SECOND == 0) {
      for (const Record& record : SplitIntoGroupPieces(GGA, '@', '#'))
        Append(bytes, record);
      Append(bytes, FormatSentenceEndRecord('!', k / READINGS_PER_SECOND, 'p', tick));
    }
    if (k % READINGS_PER_STATION == 0) {
      Append(bytes, FormatStationRecord(k / READINGS_PER_STATION, tick));
      Append(bytes, FormatClockRecord(start, tick));
    }
  }
  return bytes;
}

// One device root for the program, holding a data file per length asked for.
class BenchFiles {
 public:
  // The device path of a survey file of `minutes`; empty when it could not be written.
  std::string FileOf(const SurveySettings& settings, int minutes) {
    if (!root_.Ready())
      return {};
    root_.Install();
    const std::string name = "C_DRIVE\\DATAZEP601\\M" + std::to_string(minutes) + ".601";
    if (written_.count(minutes) == 0) {
      const std::filesystem::path path = platform::MapDevicePath(name);
      std::filesystem::create_directories(path.parent_path());
      const std::string bytes = SurveyFile(settings, minutes);
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      if (!out)
        return {};
      written_[minutes] = bytes.size();
    }
    return name;
  }
  std::size_t SizeOf(int minutes) const { return written_.at(minutes); }

 private:
  BenchDeviceRoot root_;
  std::map<int, std::size_t> written_;
};

BenchFiles& Files() {
  static BenchFiles files;
  return files;
}

struct Display {
  SurveySettings settings;
  DisplayState display;
  Display() {
    display.drawing = CreateDrawingResources();
    display.channels = CreateChannelResources(settings);
    ApplyDisplaySettings(display, settings);
    SetBarLayout(display.curves, settings.gradSensorCount);
  }
};

// The replay at the end of a file of state.range(0) minutes: it reads only the last readings'
// records, so a 10-hour file costs what a 10-minute one does.
void BM_ReplayAtTheEndOfTheDataFile(benchmark::State& state) {
  Display d;
  const int minutes = static_cast<int>(state.range(0));
  const std::string path = Files().FileOf(d.settings, minutes);
  if (path.empty()) {
    state.SkipWithError("the data file could not be written");
    return;
  }
  platform::Bitmap window(d.display.layout.curveWidth, d.display.layout.curveHeight,
                          platform::Rgb(255, 255, 255));
  platform::BitmapContext dc(window);
  for (auto _ : state) {
    ReplayProfileFromDataFile(dc, path, d.display, d.settings);
    benchmark::DoNotOptimize(window.Pixels().Pixels().data());
  }
  state.counters["file_MB"] = static_cast<double>(Files().SizeOf(minutes)) / 1e6;
}
BENCHMARK(BM_ReplayAtTheEndOfTheDataFile)->Arg(10)->Arg(600)->Unit(benchmark::kMicrosecond);

// One reading's drawing on the logging screen's two windows: the profile step and the bars,
// each through a fresh window context as the reading handler takes them.
void BM_ReadingProfileStepAndBars(benchmark::State& state) {
  platform::FakeSystemServices services;
  platform::PlatformOptions options;
  options.services = &services;
  platform::Platform platform(std::move(options));
  for (const char* name : {"CurveWnd", "BarsWnd"}) {
    platform::RegisterClass(
        {.name = name,
         .procedure = platform::DefWindowProc,
         .background = platform::CreateSolidBrush(platform::Rgb(255, 255, 255))});
  }
  const platform::Hwnd curve = platform::CreateWindow(
      {.className = "CurveWnd", .style = platform::WS_VISIBLE, .rect = {3, 3, 218, 218}});
  const platform::Hwnd bars = platform::CreateWindow(
      {.className = "BarsWnd", .style = platform::WS_VISIBLE, .rect = {221, 28, 253, 108}});
  platform::PumpMessages();
  Display d;
  std::size_t k = 0;
  for (auto _ : state) {
    const float g1 = 1000.0f + static_cast<float>((k * 37) % 900);
    const float g2 = 200.0f + static_cast<float>((k * 53) % 400);
    ++k;
    const ChannelRows row1 = RowsForValue(g1, d.settings.profileMax, d.display.profile);
    const ChannelRows row2 = RowsForValue(g2, d.settings.profileMax, d.display.profile);
    const std::array<std::int32_t, 2> profileRows{row1.profileY, row2.profileY};
    const std::array<std::int32_t, 2> barRows{row1.barY, row2.barY};
    {
      platform::WindowDC dc(curve);
      StepProfile(dc, d.display, d.settings, profileRows);
    }
    {
      platform::WindowDC dc(bars);
      DrawBars(dc, d.display, barRows);
    }
    benchmark::DoNotOptimize(platform.Screen().Pixels().data());
  }
}
BENCHMARK(BM_ReadingProfileStepAndBars)->Unit(benchmark::kMicrosecond);

}  // namespace
