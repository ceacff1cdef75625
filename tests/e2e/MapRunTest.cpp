// The map during real runs: the logger and gradsim as processes on pseudo-terminals, the map
// looked at through screenshots of the curve window.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "SurveyRun.h"
#include "platform/gfx/Png.h"

namespace e2e {
namespace {

using std::chrono::seconds;

constexpr std::size_t MAP_SAVED_SIZE_LINE = 57;
constexpr std::size_t MAP_SCALE_LINE = 66;

// The curve window's square on the screen.
constexpr int CURVE_LEFT = 3;
constexpr int CURVE_TOP = 3;
constexpr int CURVE_SIZE = 213;

const platform::Color SAVED_RED = platform::Rgb(255, 0, 0);
const platform::Color EXTERNAL_GREEN = platform::Rgb(0, 255, 0);

// How many pixels of the map square in the screenshot have `color`.
int MapPixelsOf(const std::filesystem::path& png, platform::Color color) {
  const std::optional<platform::Surface> screen = platform::ReadPng(png.string());
  EXPECT_TRUE(screen.has_value()) << png;
  if (!screen)
    return 0;
  int count = 0;
  for (int y = CURVE_TOP; y < CURVE_TOP + CURVE_SIZE; ++y) {
    for (int x = CURVE_LEFT; x < CURVE_LEFT + CURVE_SIZE; ++x)
      count += screen->At(x, y) == platform::ToPixel(color) ? 1 : 0;
  }
  return count;
}

// A guide of lines 0.5 m east of the walked ones, as signed degrees "longitude latitude".
void WriteAsciiGuide(const std::filesystem::path& path) {
  constexpr double ORIGIN_LATITUDE = 52.0907;
  constexpr double ORIGIN_LONGITUDE = 5.1214;
  const double metresPerDegreeEast = 111000.0 * std::cos(ORIGIN_LATITUDE * M_PI / 180.0);
  std::string text = "longitude latitude\r\n";
  for (int line = 0; line < 8; ++line) {
    for (int step = 0; step <= 24; ++step) {
      char row[64];
      std::snprintf(row, sizeof row, "%.8f %.8f\r\n",
                    ORIGIN_LONGITUDE + (line * 3.0 + 0.5) / metresPerDegreeEast,
                    ORIGIN_LATITUDE + step * 0.5 / 111000.0);
      text += row;
    }
  }
  testing_support::TempFolder::WriteFile(path, text);
}

// The data files in `folder`, in the order of their names (and so of their making).
std::vector<std::filesystem::path> DataFilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".601")
      files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string Shot(const SurveyRun& run, const std::string& name) {
  return "screenshot " + (run.Root() / "shots" / (name + ".png")).string() + "\n";
}

// Standing by, the map's commands; "&Go" records again.
const std::string PAUSE = "key X\nwait 800\nexpect Stand By\n";
const std::string GO = "key G\nwait 800\n";
// From standing by back to the start screen.
const std::string EXIT_RUN =
    "key X\nwait 800\nexpect Exit Logging?\nkey Enter\nwait 800\nexpect Survey Setup\n";
const std::string RESCALE_TO_20 =
    "key S\nwait 800\nkey Backspace\nkey Backspace\nkey Backspace\n"
    "type 20\nkey Enter\nwait 2000\n";

// A minute of survey lines walked in map view: the track is drawn while recording, survives a
// rescale and the view toggled both ways, an earlier run's file and an ASCII guide are laid
// over it, and the map options change with OK and stay with Cancel.
TEST(MapRun, AWalkedTrackSurvivesRescaleToggleOverlaysAndOptions) {
  SurveyRun run({"--gps-type", "1", "--line-length", "12", "--line-spacing", "3"},
                {{SurveyRun::GPS_DATA_TYPE_LINE, "1"}}, Positioning::On);
  std::filesystem::create_directories(run.Root() / "shots");
  WriteAsciiGuide(run.Root() / "C_DRIVE" / "DATAZEP601" / "GUIDE.ASC");
  const std::string earlierRun = START_RECORDING + "wait 12000\n" + PAUSE + EXIT_RUN;
  const std::string script =
      earlierRun + START_RECORDING + "wait 20000\n" + Shot(run, "recording") + PAUSE +
      RESCALE_TO_20 + Shot(run, "rescaled") + GO + "wait 8000\n" + PAUSE +
      // Toggle View both ways.
      "key T\nwait 1500\n" + Shot(run, "profile") + "key T\nwait 2000\n" + Shot(run, "toggled") +
      // The earlier run's file over the map, then removed.
      "key E\nwait 1000\ntype EARLIER.601\nkey Enter\nwait 1500\n"
      "expect Total Number of Positions:\nkey Enter\nwait 1500\n" +
      Shot(run, "external") + "key E\nwait 1500\n" + Shot(run, "removed") +
      // The ASCII guide with its parameters as they are.
      "key I\nwait 1000\ntype GUIDE.ASC\nkey Enter\nwait 1000\nexpect ASCII File Parameters\n"
      "key Enter\nwait 1500\nexpect Total Number of Positions:\nkey Enter\nwait 1500\n" +
      Shot(run, "ascii") + GO + "wait 8000\n" + PAUSE +
      // The saved-track size one up with OK; one more up, then Cancel.
      "key A\nwait 1000\nexpect Map Display Options\n" + Shot(run, "options") +
      "key Tab\nkey Tab\nkey Tab\nkey Tab\nkey Tab\nkey Tab\nkey Right\nkey O\nwait 2000\n" +
      Shot(run, "options-ok") + "key A\nwait 1000\nkey Right\nkey C\nwait 1500\n" + EXIT_RUN +
      "key X\n";
  ChildProcess logger = run.StartLogger(script);
  // The earlier run's file is named by the hour it was made in; the overlay takes a copy
  // under a name the script can type, made while the second run records.
  const std::filesystem::path folder = run.Root() / "C_DRIVE" / "DATAZEP601";
  ASSERT_TRUE(WaitFor([&] { return DataFilesIn(folder).size() == 2; }, seconds(60)));
  std::filesystem::copy_file(DataFilesIn(folder).front(), folder / "EARLIER.601");
  ASSERT_EQ(logger.Wait(seconds(180)), 0) << run.LoggerErrors();

  const std::filesystem::path shots = run.Root() / "shots";
  EXPECT_GT(MapPixelsOf(shots / "recording.png", SAVED_RED), 50) << "the walked track";
  EXPECT_GT(MapPixelsOf(shots / "rescaled.png", SAVED_RED), 20) << "the track after a rescale";
  EXPECT_EQ(MapPixelsOf(shots / "profile.png", SAVED_RED), 0) << "the profile shows no track";
  EXPECT_GT(MapPixelsOf(shots / "toggled.png", SAVED_RED), 20) << "rebuilt from the file";
  EXPECT_GT(MapPixelsOf(shots / "external.png", EXTERNAL_GREEN), 20) << "the earlier run";
  EXPECT_EQ(MapPixelsOf(shots / "removed.png", EXTERNAL_GREEN), 0) << "removed";
  EXPECT_GT(MapPixelsOf(shots / "ascii.png", EXTERNAL_GREEN), 20) << "the ASCII guide";

  const std::vector<std::string> settings = run.SettingsLines();
  EXPECT_EQ(settings[MAP_SAVED_SIZE_LINE], "5") << "OK saved the size; Cancel left it";
  EXPECT_EQ(settings[MAP_SCALE_LINE], "20");
}

// A multi-constellation receiver ("GNGGA"): the track rebuilt at a new scale is still there.
TEST(MapRun, AMultiConstellationTrackStaysAfterARescale) {
  const std::string log = std::string(GRADLOG_SOURCE_DIR) + "/tests/gps/nmea/rx210.log";
  SurveyRun run({"--replay", log, "--replay-rate", "20"},
                {{SurveyRun::GPS_DATA_TYPE_LINE, "1"}, {MAP_SCALE_LINE, "1"}}, Positioning::On);
  std::filesystem::create_directories(run.Root() / "shots");
  const std::string script =
      START_RECORDING + "wait 15000\n" + PAUSE + Shot(run, "before") +
      "key S\nwait 800\nkey Backspace\nkey Backspace\nkey Backspace\ntype 2\nkey Enter\n"
      "wait 2000\n" +
      Shot(run, "after") + EXIT_RUN + "key X\n";
  ChildProcess logger = run.StartLogger(script);
  ASSERT_EQ(logger.Wait(seconds(90)), 0) << run.LoggerErrors();
  EXPECT_GT(MapPixelsOf(run.Root() / "shots" / "before.png", SAVED_RED), 0);
  EXPECT_GT(MapPixelsOf(run.Root() / "shots" / "after.png", SAVED_RED), 0);
}

}  // namespace
}  // namespace e2e
