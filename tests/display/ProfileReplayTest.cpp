#include "display/ProfileReplay.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CurveTestSupport.h"
#include "datafile/DataFile.h"
#include "datafile/RecordFormat.h"
#include "display/ProfileReplayWalk.h"
#include "serial/GradReading.h"
#include "support/TempDeviceRoot.h"

namespace gradlog {
namespace {

using namespace testing;
using platform::Bitmap;
using platform::BitmapContext;
using platform::Point;
using namespace std::string_literals;
using testing::TempDeviceRoot;

constexpr int CURVE_SIZE = 215;
constexpr const char* DATA_FILE = "C_DRIVE\\DATAZEP601\\SURVEY01.601";
constexpr const char* GGA = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

std::string ReadingText(float g1, float g2) {
  char text[64];
  std::snprintf(text, sizeof text, "$PBAR,%.3f,%.3f", static_cast<double>(g1),
                static_cast<double>(g2));
  return text;
}

// A data file's bytes, record by record, from the program's own record formatters.
class DataFileBytes {
 public:
  explicit DataFileBytes(const SurveySettings& settings) {
    Add(FormatFormatRecord(settings)).Add(FormatNameRecord(settings, "SURVEY01"));
    Add(FormatPositioningRecord(settings, 0.0f, 0.0f)).Line("1");
  }
  DataFileBytes& Line(std::string_view name) {
    const platform::LocalTime now{.year = 2026, .month = 12, .day = 5, .hour = 10};
    Add(FormatLineRecord(name)).Add(FormatStartStationRecord(0.0));
    Add(FormatDirectionRecord(1, 1.0f)).Add(FormatDateTimeRecord(now));
    return Add(FormatClockRecord(now, tick_));
  }
  DataFileBytes& Reading(std::string_view text) {
    return ReadingWithoutEnd(text).Add(FormatReadingEndRecord('>', ++readings_, tick_ += 200));
  }
  DataFileBytes& Reading(float g1, float g2) { return Reading(ReadingText(g1, g2)); }
  // Readings first..last of G1 = 10 k and G2 = 2000 - 10 k.
  DataFileBytes& Readings(int first, int last) {
    for (float k = static_cast<float>(first); k <= static_cast<float>(last); ++k)
      Reading(10.0f * k, 2000.0f - 10.0f * k);
    return *this;
  }
  // As a failed write of an older program left it.
  DataFileBytes& ReadingWithoutEnd(std::string_view text) { return Pieces(text, 'T', '='); }
  DataFileBytes& Sentence(std::string_view text) {
    return Pieces(text, '@', '#').Add(FormatSentenceEndRecord('!', ++sentences_, 'p', tick_));
  }
  DataFileBytes& Station(double station) { return Add(FormatStationRecord(station, tick_)); }
  DataFileBytes& Comment(std::string_view text) { return Add(FormatTextRecord('C', text, tick_)); }
  DataFileBytes& Raw(std::string_view bytes) {
    bytes_ += bytes;
    return *this;
  }
  DataFileBytes& Add(const Record& record) { return Raw({record.data(), record.size()}); }
  const std::string& Bytes() const { return bytes_; }

 private:
  DataFileBytes& Pieces(std::string_view text, char first, char more) {
    for (const Record& record : SplitIntoGroupPieces(text, first, more))
      Add(record);
    return *this;
  }

  std::string bytes_;
  std::int32_t readings_ = 0;
  std::int32_t sentences_ = 0;
  std::uint32_t tick_ = 5000;
};

std::int32_t RowOf(const CurveSetup& setup, float value) {
  return RowsForValue(value, setup.settings.profileMax, setup.display.profile).profileY;
}

using Values = std::vector<std::pair<float, float>>;  // G1 and G2 of readings, newest first
using Points = std::vector<std::vector<Point>>;       // G1's and G2's of each piece, newest first

// The values of Readings(oldest, newest), after `before`.
Values Made(int newest, int oldest, Values before = {}) {
  for (float k = static_cast<float>(newest); k >= static_cast<float>(oldest); --k)
    before.emplace_back(10.0f * k, 2000.0f - 10.0f * k);
  return before;
}

class ProfileReplayWalkTest : public ::testing::Test {
 protected:
  DataFileBytes File() const { return DataFileBytes(setup.settings); }
  // One piece, from x leftwards.
  Points PointsOf(const Values& values, int x = 167) const {
    Points points(2);
    for (std::size_t i = 0; i < values.size(); ++i, x -= 2) {
      points[0].push_back({x, RowOf(setup, values[i].first)});
      points[1].push_back({x, RowOf(setup, values[i].second)});
    }
    return points;
  }
  // The walk, which must give the same pieces when it reads in blocks of any size.
  Points Walk(const DataFileBytes& file) const {
    const ReplayOptions options = ReplayOptionsFor(setup.display, setup.settings);
    const auto flat = [](const std::vector<ReplayPiece>& pieces) {
      Points points;
      for (const ReplayPiece& piece : pieces) {
        points.push_back(piece.g1);
        points.push_back(piece.g2);
      }
      return points;
    };
    const Points points = flat(WalkBytesBackwards(file.Bytes(), options));
    for (const std::size_t block : {1, 2, 7}) {
      EXPECT_EQ(flat(WalkBytesBackwards(file.Bytes(), options, block)), points)
          << "blocks of " << block;
    }
    return points;
  }

  CurveSetup setup;
};

// Down to x 1; sentences and comments between readings take no place.
TEST_F(ProfileReplayWalkTest, TheLastEightyFourReadingsOfTheLineLandFromX167DownToX1) {
  DataFileBytes file = File();
  for (int k = 1; k <= 100; k += 5) {
    file.Readings(k, k + 4).Sentence(GGA);
    if (k % 40 == 36)
      file.Comment("anomaly");
  }
  EXPECT_EQ(Walk(file), PointsOf(Made(100, 17)));
}

TEST_F(ProfileReplayWalkTest, StationMarksLeaveAGapAndNewLinesEndTheWalk) {
  // Each piece as its newest and oldest reading and the x of the newest.
  const auto walks = [this](const char* what, const DataFileBytes& file,
                            std::vector<std::array<int, 3>> pieces) {
    SCOPED_TRACE(what);
    Points expected;
    for (const std::array<int, 3>& piece : pieces) {
      const Points points = PointsOf(Made(piece[0], piece[1]), piece[2]);
      expected.insert(expected.end(), points.begin(), points.end());
    }
    EXPECT_EQ(Walk(file), expected);
  };
  walks("a station", File().Readings(1, 5).Station(10.0).Readings(6, 10),
        {{10, 6, 167}, {5, 1, 155}});
  walks("a station at the end", File().Readings(1, 3).Station(10.0), {{3, 1, 165}});
  walks("two stations", File().Readings(1, 2).Station(10.0).Station(20.0).Readings(3, 4),
        {{4, 3, 167}, {2, 1, 159}});
  walks("a new line", File().Readings(1, 10).Line("2").Readings(11, 13), {{13, 11, 167}});
  walks("a new line, no readings", File().Readings(1, 10).Line("2"), {});
  DataFileBytes stationsToTheEdge = File().Readings(1, 1);
  for (int i = 0; i < 84; ++i)
    stationsToTheEdge.Station(i);
  walks("stations to the edge", stationsToTheEdge, {});
}

// The reading A has 1234 in field 2 and fills its first record to the last character, so
// two characters joined from any later record would change its value; only its own
// continuation joins, the text cut after 27 characters.
TEST_F(ProfileReplayWalkTest, OnlyTheContinuationRightAfterAFirstRecordJoinsIt) {
  const std::string a = "$PBAR,1000.000000000,1234";
  const std::string b = "$PBAR,100.0000000000,200.0000000";  // its continuation: "0000000"
  const std::string stray(MakeRecord("=99").data(), 27);
  const auto oldest = [this](const char* what, const DataFileBytes& file, float g2) {
    SCOPED_TRACE(what);
    const Points points = Walk(file);
    ASSERT_GE(points.size(), 2u);
    ASSERT_FALSE(points.back().empty());
    EXPECT_EQ(points.back().back().y, RowOf(setup, g2));
    EXPECT_EQ(points[points.size() - 2].back().y, RowOf(setup, 1000.0f));
  };
  oldest("its own", File().Reading(a + "5678").Reading(b), 123456.0f);
  oldest("no end, a sentence", File().ReadingWithoutEnd(a).Sentence(GGA).Reading(b), 1234.0f);
  oldest("no end, a stray one", File().ReadingWithoutEnd(a).Comment("99").Raw(stray).Reading(b),
         1234.0f);
  oldest("a stray one after the end", File().Reading(a).Raw(stray).Reading(b), 1234.0f);
  oldest("no end, last in the file", File().ReadingWithoutEnd(a), 1234.0f);
}

// After readings 1..3: a cut first record, a whole reading with a cut end record, a first
// record of bytes that are no text (zeros), records whose first byte is no marker, and a
// first record without its line feed.
TEST_F(ProfileReplayWalkTest, ACutLastRecordAndBytesThatAreNoTextAreReadSafely) {
  const std::vector<std::pair<std::string, Values>> cases{
      {"T$PBAR,9.0,9.0", {}},
      {std::string(MakeRecord("T" + ReadingText(7, 8)).data(), 27) + ">00004", {{7.0f, 8.0f}}},
      {"T\0\xff\x80,\xfe\n"s + std::string(20, '\0'), {{0.0f, 0.0f}}},
      {std::string(27, '\0') + std::string(27, '\xff'), {}},
      {"T$PBAR,7,8" + std::string(16, ' ') + "X", {{7.0f, 8.0f}}}};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(::testing::Message() << "case " << i);
    EXPECT_EQ(Walk(File().Readings(1, 3).Raw(cases[i].first)),
              PointsOf(Made(3, 1, cases[i].second)));
  }
}

class ProfileReplayTest : public ::testing::Test {
 protected:
  std::filesystem::path Host() const { return root.Path() / "C_DRIVE/DATAZEP601/SURVEY01.601"; }
  // A white curve window with the grid, then the replay on it.
  Bitmap Replayed(std::string_view path = DATA_FILE) {
    Bitmap window(CURVE_SIZE, CURVE_SIZE, WHITE);
    BitmapContext dc(window);
    DrawProfileGrid(dc, setup.display, false, setup.settings.profileMin, setup.settings.profileMax);
    ReplayProfileFromDataFile(dc, path, setup.display, setup.settings);
    return window;
  }

  TempDeviceRoot root;
  CurveSetup setup;
};

TEST_F(ProfileReplayTest, OnlyTheSensorsShownChannelsAreDrawn) {
  struct Case {
    std::int32_t sensors;
    std::array<std::int32_t, 2> shown;
    std::set<char> shades;
  };
  const std::vector<Case> cases{
      {2, {1, 1}, {'w', '-', '1', '2'}}, {1, {1, 1}, {'w', '-', '1'}}, {2, {0, 1}, {'w', '-', '2'}},
      {2, {1, 0}, {'w', '-', '1'}},      {1, {0, 1}, {'w', '-'}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.sensors << " sensors, shown " << c.shown[0] << c.shown[1]);
    setup.settings.gradSensorCount = c.sensors;
    setup.settings.channelShown = {c.shown[0], c.shown[1]};
    setup.Apply();
    TempDeviceRoot::WriteFile(Host(), DataFileBytes(setup.settings).Readings(1, 10).Bytes());
    Bitmap window = Replayed();
    EXPECT_EQ(ShadesIn(BitmapContext(window), {0, 0, CURVE_SIZE, CURVE_SIZE}), c.shades);
  }
}

// With pens of up to two pixels, which reach no column right of their point (a column the
// live scroll leaves behind), the rebuilt window is the one the readings drew.
TEST_F(ProfileReplayTest, TheReplayRedrawsWhatTheReadingsDrewLive) {
  setup.settings.channelThickness = {2, 1};
  setup.SetRange(-1000.0f, 1000.0f);
  DataFileBytes file(setup.settings);
  Bitmap live(CURVE_SIZE, CURVE_SIZE, WHITE);
  BitmapContext dc(live);
  DrawProfileGrid(dc, setup.display, false, -1000.0f, 1000.0f);
  for (int k = 0; k < 84; ++k) {
    const std::string text = ReadingText(static_cast<float>(300 + k * 37 % 600),
                                         static_cast<float>(-300 - k * 53 % 600));
    if (k == 40) {
      // A new station: the live curves restart, the replay leaves a gap after it, so the
      // compared readings come after it.
      file.Station(1.0);
      RestartProfileCurves(setup.display.curves, false);
    }
    file.Reading(text);
    const GradReading reading = DecodeGradReading(text, 2);
    const std::vector<std::int32_t> rows{RowOf(setup, reading.g1), RowOf(setup, reading.g2)};
    StepProfile(dc, setup.display, setup.settings, rows);
  }
  TempDeviceRoot::WriteFile(Host(), file.Bytes());
  Bitmap replayed = Replayed();
  const BitmapContext replayedDc(replayed);
  // The 44 readings after the station: x 81..167.
  for (int x = 81; x < CURVE_SIZE; ++x) {
    ASSERT_EQ(ColumnShades(replayedDc, x, 0, CURVE_SIZE), ColumnShades(dc, x, 0, CURVE_SIZE))
        << "column " << x;
  }
  // Reading 39, before the station, sits one step further left than it was drawn live.
  const std::int32_t row39 = RowOf(setup, static_cast<float>(300 + 39 * 37 % 600));
  EXPECT_EQ(Shade(dc.GetPixel(79, row39)), '1');
  EXPECT_EQ(Shade(replayedDc.GetPixel(77, row39)), '1');
  EXPECT_EQ(ShadesIn(replayedDc, {78, 0, 80, CURVE_SIZE}), (std::set<char>{'w', '-'}));
}

TEST_F(ProfileReplayTest, NothingIsDrawnWithoutAReadableFile) {
  std::filesystem::create_directories(root.Path() / "C_DRIVE");
  for (const char* path : {"", "C_DRIVE\\missing.601", "C_DRIVE"}) {
    SCOPED_TRACE(path);
    Bitmap window = Replayed(path);
    EXPECT_EQ(ShadesIn(BitmapContext(window), {0, 0, CURVE_SIZE, CURVE_SIZE}),
              (std::set<char>{'w', '-'}));
  }
}

// The replay reads the file by its path; the run's own handle still appends at the end.
TEST_F(ProfileReplayTest, TheOpenDataFileGoesOnAtItsEndAfterAReplay) {
  std::filesystem::create_directories(Host().parent_path());
  const std::shared_ptr<DataFile> dataFile = DataFile::Create(DATA_FILE);
  ASSERT_NE(dataFile, nullptr);
  DataFileBytes file(setup.settings);
  file.Reading(1000.0f, 1000.0f).Reading(1200.0f, 800.0f);
  const auto append = [&dataFile](std::string_view bytes) {
    for (std::size_t at = 0; at + RECORD_LENGTH <= bytes.size(); at += RECORD_LENGTH)
      ASSERT_TRUE(dataFile->Append(MakeRecord(bytes.substr(at, RECORD_TEXT_LENGTH))));
  };
  append(file.Bytes());
  Bitmap window = Replayed();
  EXPECT_EQ(Shade(BitmapContext(window).GetPixel(167, RowOf(setup, 1200.0f))), '1');
  const std::size_t before = file.Bytes().size();
  file.Reading(1400.0f, 600.0f);
  append(std::string_view(file.Bytes()).substr(before));
  EXPECT_EQ(TempDeviceRoot::ReadFile(Host()), file.Bytes());
}

}  // namespace
}  // namespace gradlog
