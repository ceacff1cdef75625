#include "datafile/RecordFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "datafile/RecordText.h"

namespace gradlog {
namespace {

using testing::Shown;

struct RecordCase {
  const char* description;
  Record record;
  std::string expected;  // 26 characters, '_' for a space
};

void ExpectRecords(const std::vector<RecordCase>& cases) {
  for (const RecordCase& c : cases)
    EXPECT_EQ(Shown(c.record), c.expected) << c.description;
}

// The records of the format's own examples are checked in a whole new file by the writers'
// tests; these are the variations around them.
TEST(RecordFormatTest, HeaderRecords) {
  ExpectRecords({
      {"no position input", FormatFormatRecord({.gpsInput = 0}), "ZEP601__W134GRD0_0_2______"},
      {"no position input", FormatPositioningRecord({.gpsInput = 0}, 0, 0),
       "G___0.00___0.00___000_____"},
      {"feet, manual mode, one sensor",
       FormatFormatRecord({.gradSensorCount = 1, .distanceUnits = 1, .surveyMode = 2}),
       "ZEP601__W134GPS1_2_1______"},
      {"data type 8 as 9", FormatPositioningRecord({.gpsDataType = 8}, 0, 0),
       "G___0.00___0.00___091_____"},
      {"data type 7 as 7", FormatPositioningRecord({.gpsDataType = 7}, 0, 0),
       "G___0.00___0.00___071_____"},
      {"instrument disabled: input 0 with GPS on",
       FormatPositioningRecord({.instrumentEnabled = 0}, 0, 0), "G___0.00___0.00___000_____"},
      {"total station, 2 Hz", FormatPositioningRecord({.gpsInput = 2, .gpsDisplayRate = 1}, 0, 0),
       "G___0.00___0.00___102_____"},
      {"offset -12.5", FormatPositioningRecord({}, -12.5f, 3.25f), "G_-12.50___3.25___001_____"},
      {"a wider offset moves what follows", FormatPositioningRecord({}, 123456.0f, 0),
       "G123456.00___0.00___001___"},
      {"a huge offset is cut at 26", FormatPositioningRecord({}, 1e30f, 0),
       "G1000000015047466219876688"},
      {"wheel mode", FormatNameRecord({.surveyMode = 1}, "120510A"), "H_120510A____0.200________"},
      {"manual mode", FormatNameRecord({.surveyMode = 2}, "120510A"), "H_120510A____2.000________"},
      {"auto mode", FormatNameRecord({.readingInterval = 0.5f}, "120510A"),
       "H_120510A____0.500________"},
      {"unknown mode", FormatNameRecord({.surveyMode = 3}, "120510A"),
       "H_120510A_________________"},
      {"negative mode", FormatNameRecord({.surveyMode = -1}, "X"), "H_X_______________________"},
      {"12-character name", FormatNameRecord({}, "ABCDEFGHIJKL"), "H_ABCDEFGHI__0.200________"},
      {"UTF-8 name", FormatNameRecord({}, "\xC3\xA9t\xCE\xA9"), "H_\xE9t?________0.200________"},
  });
}

TEST(RecordFormatTest, LineStartAndClockFieldsAtTheirLimits) {
  ExpectRecords({
      {"10-character line", FormatLineRecord("ABCDEFGHIJ"), "LABCDEFGHIJ_______________"},
      {"11-character line", FormatLineRecord("ABCDEFGHIJK"), "LABCDEFGHIJK______________"},
      {"hand-edited longer line", FormatLineRecord("LINE-0123456789"),
       "LLINE-012345______________"},
      {"UTF-8 line", FormatLineRecord("Stra\303\237e"), "LStra\337e___________________"},
      {"negative start station", FormatStartStationRecord(-12345.678),
       "B__-12345.68______________"},
      {"start station wider than 11", FormatStartStationRecord(1e12), "B1000000000000.00_________"},
      {"West", FormatDirectionRecord(0, 1.0f), "AW____________1.000_______"},
      {"North", FormatDirectionRecord(2, 0.5f), "AN____________0.500_______"},
      {"East, backwards", FormatDirectionRecord(3, -0.25f), "AE___________-0.250_______"},
      {"hand-edited direction 4", FormatDirectionRecord(4, 1.0f), "A_____________1.000_______"},
      {"hand-edited direction -1", FormatDirectionRecord(-1, 1.0f), "A_____________1.000_______"},
      {"New Year", FormatDateTimeRecord({2027, 1, 1, 5, 0, 0, 0, 0}), "Z01012027_00:00:00________"},
      {"tick 0", FormatClockRecord({2026, 1, 2, 5, 23, 59, 59, 999}, 0),
       "*23:59:59.999____________0"},
      {"largest tick", FormatClockRecord({2026, 1, 2, 5, 0, 0, 0, 5}, 4294967295u),
       "*00:00:00.005___4294967295"},
  });
}

TEST(RecordFormatTest, StationTextAndEndRecords) {
  const std::string twelveAcute =
      "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
      "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9";
  ExpectRecords({
      {"station", FormatStationRecord(12.5, 42), "S______12.50____________42"},
      {"comment cut to 11", FormatTextRecord('C', "MAGNETIC ANOMALY 3", 123456789),
       "CMAGNETIC_AN_____123456789"},
      {"event with blanks", FormatTextRecord('X', "$CONN END  ", 7), "X$CONN_END_______________7"},
      {"empty text", FormatTextRecord('C', "", 1000), "C_____________________1000"},
      {"8-bit characters", FormatTextRecord('C', "Gr\303\266\303\237e", 1),
       "CGr\366\337e___________________1"},
      {"beyond 0xFF", FormatTextRecord('C', "\xE6\x97\xA5\xE6\x9C\xAC 3", 1),
       "C??_3____________________1"},
      {"malformed bytes", FormatTextRecord('X', "a\377b\303", 1), "Xa?b?____________________1"},
      {"cut by characters", FormatTextRecord('C', twelveAcute, 1),
       "C\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9_____________1"},
      {"first reading", FormatReadingEndRecord('>', 1, 123456789), ">000001__________123456789"},
      {"sentence fix", FormatSentenceEndRecord('!', 42, 'p', 5), "!000042p_________________5"},
      {"sentence not taken", FormatSentenceEndRecord('!', 42, ' ', 4294967295u),
       "!000042_________4294967295"},
  });
}

// A long run with a fast instrument counts past six digits: the count field keeps its six
// places, so the tick stamp after it stays where readers of the file look for it.
TEST(RecordFormatTest, EndRecordCountsKeepSixPlaces) {
  constexpr std::uint32_t TICK = 4294967295u;
  ExpectRecords({
      {"last six-digit count", FormatReadingEndRecord('>', 999999, TICK),
       ">999999_________4294967295"},
      {"one million starts again at 0", FormatReadingEndRecord('>', 1000000, TICK),
       ">000000_________4294967295"},
      {"seven digits keep the last six", FormatReadingEndRecord('>', 1234567, 99),
       ">234567_________________99"},
      {"largest count", FormatReadingEndRecord('>', INT32_MAX, TICK), ">483647_________4294967295"},
      {"-1 is the count before 0", FormatReadingEndRecord('>', -1, TICK),
       ">999999_________4294967295"},
      {"smallest count", FormatReadingEndRecord('>', INT32_MIN, TICK),
       ">516352_________4294967295"},
      {"sentence, last six-digit count", FormatSentenceEndRecord('!', 999999, 'p', TICK),
       "!999999p________4294967295"},
      {"sentence, one million", FormatSentenceEndRecord('!', 1000000, 'p', TICK),
       "!000000p________4294967295"},
      {"sentence, seven digits", FormatSentenceEndRecord('!', 1234567, 'p', TICK),
       "!234567p________4294967295"},
      {"sentence, largest count", FormatSentenceEndRecord('!', INT32_MAX, ' ', TICK),
       "!483647_________4294967295"},
      {"sentence, negative count", FormatSentenceEndRecord('!', -1000001, 'p', TICK),
       "!999999p________4294967295"},
  });
}

}  // namespace
}  // namespace gradlog
