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

std::string ReadingText(float g1, float g2) {
  char text[64];
  std::snprintf(text, sizeof text, "$PBAR,%.3f,%.3f", static_cast<double>(g1),
                static_cast<double>(g2));
  return text;
}

// A data file's bytes, record by record, from the program's own record formatters.
class DataFileBytes {
 public:
  explicit DataFileBytes(const SurveySettings& settings) : settings_(settings) {
    Add(FormatFormatRecord(settings));
    Add(FormatNameRecord(settings, "SURVEY01"));
    Add(FormatPositioningRecord(settings, 0.0f, 0.0f));
    Line("1");
  }
  DataFileBytes& Line(std::string_view name) {
    const platform::LocalTime now{.year = 2026, .month = 12, .day = 5, .hour = 10};
    Add(FormatLineRecord(name));
    Add(FormatStartStationRecord(0.0));
    Add(FormatDirectionRecord(1, 1.0f));
    Add(FormatDateTimeRecord(now));
    Add(FormatClockRecord(now, tick_));
    return *this;
  }
  DataFileBytes& Reading(std::string_view text) {
    ReadingWithoutEnd(text);
    Add(FormatReadingEndRecord('>', ++readings_, tick_ += 200));
    return *this;
  }
  DataFileBytes& Reading(float g1, float g2) { return Reading(ReadingText(g1, g2)); }
  // As a failed write of an older program left it.
  DataFileBytes& ReadingWithoutEnd(std::string_view text) {
    for (const Record& record : SplitIntoGroupPieces(text, 'T', '='))
      Add(record);
    return *this;
  }
  DataFileBytes& Sentence(std::string_view text) {
    for (const Record& record : SplitIntoGroupPieces(text, '@', '#'))
      Add(record);
    Add(FormatSentenceEndRecord('!', ++sentences_, 'p', tick_));
    return *this;
  }
  DataFileBytes& Station(double station) {
    Add(FormatStationRecord(station, tick_));
    return *this;
  }
  DataFileBytes& Comment(std::string_view text) {
    Add(FormatTextRecord('C', text, tick_));
    return *this;
  }
  DataFileBytes& Raw(std::string_view bytes) {
    bytes_ += bytes;
    return *this;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  void Add(const Record& record) { bytes_.append(record.data(), record.size()); }

  SurveySettings settings_;
  std::string bytes_;
  std::int32_t readings_ = 0;
  std::int32_t sentences_ = 0;
  std::uint32_t tick_ = 5000;
};

std::int32_t RowOf(const CurveSetup& setup, float value) {
  return RowsForValue(value, setup.settings.profileMax, setup.display.profile).profileY;
}

// The walk in blocks of several sizes, which must all give the same pieces.
std::vector<ReplayPiece> Walk(const CurveSetup& setup, const std::string& bytes) {
  const ReplayOptions options = ReplayOptionsFor(setup.display, setup.settings);
  const std::vector<ReplayPiece> pieces = WalkBytesBackwards(bytes, options);
  for (const std::size_t block : {1, 2, 7}) {
    const std::vector<ReplayPiece> again = WalkBytesBackwards(bytes, options, block);
    EXPECT_EQ(again.size(), pieces.size()) << "blocks of " << block;
    for (std::size_t i = 0; i < std::min(again.size(), pieces.size()); ++i) {
      EXPECT_EQ(again[i].g1, pieces[i].g1) << "blocks of " << block;
      EXPECT_EQ(again[i].g2, pieces[i].g2) << "blocks of " << block;
    }
  }
  return pieces;
}

// The points of readings first..last (1-based, newest first) with G1 = 10 k and
// G2 = 2000 - 10 k, from x on leftwards.
struct Expected {
  std::vector<Point> g1;
  std::vector<Point> g2;
};
Expected PointsOf(const CurveSetup& setup, int newest, int oldest, int x) {
  Expected points;
  for (int k = newest; k >= oldest; --k, x -= 2) {
    points.g1.push_back({x, RowOf(setup, 10.0f * static_cast<float>(k))});
    points.g2.push_back({x, RowOf(setup, 2000.0f - 10.0f * static_cast<float>(k))});
  }
  return points;
}

TEST(ProfileReplayWalkTest, TheLastEightyFourReadingsOfTheLineLandFromX167DownToX1) {
  CurveSetup setup;
  DataFileBytes file(setup.settings);
  for (int k = 1; k <= 100; ++k) {
    file.Reading(10.0f * static_cast<float>(k), 2000.0f - 10.0f * static_cast<float>(k));
    // Sentences, comments and clock records between readings take no place.
    if (k % 5 == 0)
      file.Sentence("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47");
    if (k % 40 == 0)
      file.Comment("anomaly");
  }
  const std::vector<ReplayPiece> pieces = Walk(setup, file.Bytes());
  ASSERT_EQ(pieces.size(), 1u);
  const Expected expected = PointsOf(setup, 100, 17, 167);
  EXPECT_EQ(pieces[0].g1, expected.g1);
  EXPECT_EQ(pieces[0].g2, expected.g2);
  EXPECT_EQ(pieces[0].g1.back().x, 1);
}

TEST(ProfileReplayWalkTest, StationMarksLeaveAGapAndNewLinesEndTheWalk) {
  struct Case {
    const char* what;
    std::function<void(DataFileBytes&)> make;
    std::vector<Expected> pieces;  // newest first
  };
  CurveSetup setup;
  const auto readings = [](int first, int last) {
    return [first, last](DataFileBytes& file) {
      for (int k = first; k <= last; ++k)
        file.Reading(10.0f * static_cast<float>(k), 2000.0f - 10.0f * static_cast<float>(k));
    };
  };
  const std::vector<Case> cases{
      {"a station between readings 5 and 6",
       [&](DataFileBytes& file) {
         readings(1, 5)(file);
         file.Station(10.0);
         readings(6, 10)(file);
       },
       {PointsOf(setup, 10, 6, 167), PointsOf(setup, 5, 1, 155)}},
      {"a station after the last reading",
       [&](DataFileBytes& file) {
         readings(1, 3)(file);
         file.Station(10.0);
       },
       {PointsOf(setup, 3, 1, 165)}},
      {"two stations in a row",
       [&](DataFileBytes& file) {
         readings(1, 2)(file);
         file.Station(10.0).Station(20.0);
         readings(3, 4)(file);
       },
       {PointsOf(setup, 4, 3, 167), PointsOf(setup, 2, 1, 159)}},
      {"a new line after 10 readings",
       [&](DataFileBytes& file) {
         readings(1, 10)(file);
         file.Line("2");
         readings(11, 13)(file);
       },
       {PointsOf(setup, 13, 11, 167)}},
      {"a new line without readings yet",
       [&](DataFileBytes& file) {
         readings(1, 10)(file);
         file.Line("2");
       },
       {}},
      {"stations until the left edge",
       [&](DataFileBytes& file) {
         readings(1, 1)(file);
         for (int i = 0; i < 84; ++i)
           file.Station(i);
       },
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DataFileBytes file(setup.settings);
    c.make(file);
    const std::vector<ReplayPiece> pieces = Walk(setup, file.Bytes());
    ASSERT_EQ(pieces.size(), c.pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      EXPECT_EQ(pieces[i].g1, c.pieces[i].g1) << "piece " << i;
      EXPECT_EQ(pieces[i].g2, c.pieces[i].g2) << "piece " << i;
    }
  }
}

// The reading A has 1234 in field 2 and fills its first record to the last character, so
// two characters joined from any later record would change its value.
TEST(ProfileReplayWalkTest, OnlyTheContinuationRightAfterAFirstRecordJoinsIt) {
  const std::string a = "$PBAR,1000.000000000,1234";
  const std::string b = "$PBAR,100.0000000000,200.0000000";  // its continuation: "0000000"
  const std::string gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";
  struct Case {
    const char* what;
    std::function<void(DataFileBytes&)> make;
    float g2;
  };
  const std::vector<Case> cases{
      {"its own continuation, the text cut after 27 characters",
       [&](DataFileBytes& file) { file.Reading(a + "5678").Reading(b); }, 123456.0f},
      {"no end record, the next reading follows",
       [&](DataFileBytes& file) { file.ReadingWithoutEnd(a).Reading(b); }, 1234.0f},
      {"no end record, a sentence follows",
       [&](DataFileBytes& file) { file.ReadingWithoutEnd(a).Sentence(gga).Reading(b); }, 1234.0f},
      {"no end record, a comment and a stray continuation follow",
       [&](DataFileBytes& file) {
         file.ReadingWithoutEnd(a).Comment("99").Raw(std::string(MakeRecord("=99").data(), 27));
         file.Reading(b);
       },
       1234.0f},
      {"a stray continuation after its end record",
       [&](DataFileBytes& file) {
         file.Reading(a).Raw(std::string(MakeRecord("=99").data(), 27)).Reading(b);
       },
       1234.0f},
      {"no end record at the end of the file",
       [&](DataFileBytes& file) { file.ReadingWithoutEnd(a); }, 1234.0f},
  };
  CurveSetup setup;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DataFileBytes file(setup.settings);
    c.make(file);
    const std::vector<ReplayPiece> pieces = Walk(setup, file.Bytes());
    ASSERT_FALSE(pieces.empty());
    ASSERT_FALSE(pieces.back().g2.empty());
    const Point oldest = pieces.back().g2.back();
    EXPECT_EQ(oldest.y, RowOf(setup, c.g2));
    EXPECT_EQ(pieces.back().g1.back().y, RowOf(setup, 1000.0f));
  }
}

TEST(ProfileReplayWalkTest, ACutLastRecordAndBytesThatAreNoTextAreReadSafely) {
  CurveSetup setup;
  const std::string reading = ReadingText(500.0f, 1500.0f);
  struct Case {
    const char* what;
    std::string tail;                             // after three readings of 500 and 1500
    std::vector<std::pair<float, float>> newest;  // the values expected before those three
  };
  const std::vector<Case> cases{
      {"a cut first record", "T$PBAR,9.0,9.0", {}},
      {"a whole reading and a cut end record",
       std::string(MakeRecord("T" + ReadingText(7, 8)).data(), 27) + ">00004",
       {{7.0f, 8.0f}}},
      {"a first record of bytes that are no text",
       "T\0\xff\x80,\xfe\n"s + std::string(20, '\0'),
       {{0.0f, 0.0f}}},
      {"records whose first byte is no marker",
       std::string(27, '\0') + std::string(27, '\xff'),
       {}},
      {"a first record without its line feed",
       "T$PBAR,7,8" + std::string(16, ' ') + "X",
       {{7.0f, 8.0f}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DataFileBytes file(setup.settings);
    file.Reading(reading).Reading(reading).Reading(reading).Raw(c.tail);
    const std::vector<ReplayPiece> pieces = Walk(setup, file.Bytes());
    ASSERT_EQ(pieces.size(), 1u);
    std::vector<Point> g1;
    std::vector<Point> g2;
    int x = 167;
    for (const auto& [v1, v2] : c.newest) {
      g1.push_back({x, RowOf(setup, v1)});
      g2.push_back({x, RowOf(setup, v2)});
      x -= 2;
    }
    for (int i = 0; i < 3; ++i, x -= 2) {
      g1.push_back({x, RowOf(setup, 500.0f)});
      g2.push_back({x, RowOf(setup, 1500.0f)});
    }
    EXPECT_EQ(pieces[0].g1, g1);
    EXPECT_EQ(pieces[0].g2, g2);
  }
}

class ProfileReplayTest : public ::testing::Test {
 protected:
  void Write(const std::string& bytes) {
    TempDeviceRoot::WriteFile(root.Path() / "C_DRIVE" / "DATAZEP601" / "SURVEY01.601", bytes);
  }
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
    DataFileBytes file(setup.settings);
    for (int k = 0; k < 10; ++k)
      file.Reading(1500.0f, 500.0f);
    Write(file.Bytes());
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
  Write(file.Bytes());
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
  std::filesystem::create_directories(root.Path() / "C_DRIVE" / "DATAZEP601");
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
  EXPECT_EQ(TempDeviceRoot::ReadFile(root.Path() / "C_DRIVE" / "DATAZEP601" / "SURVEY01.601"),
            file.Bytes());
}

}  // namespace
}  // namespace gradlog
