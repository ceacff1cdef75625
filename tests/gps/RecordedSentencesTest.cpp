#include "gps/RecordedSentences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafile/RecordFormat.h"
#include "gps/GpsDataTypes.h"
#include "gps/TrackFileSentences.h"

namespace gradlog {
namespace {

using testing::GroupRecords;
using testing::MarkedHeader;

std::string Records(const std::vector<std::string>& texts) {
  std::string file;
  for (const std::string& text : texts) {
    const Record record = MakeRecord(text);
    file.append(record.begin(), record.end());
  }
  return file;
}

std::vector<RecordedSentence> Sentences(const std::string& file, std::size_t blockRecords) {
  std::vector<RecordedSentence> sentences;
  ForEachRecordedSentence(
      BytesReadAt(file), [&sentences](const RecordedSentence& s) { sentences.push_back(s); },
      blockRecords);
  return sentences;
}

const std::string LONG_TEXT = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

// A reading's end record between the groups closes no sentence. A bad sentence, a good one
// spoilt by a bad record, an endless group, a group whose end record was never written and a
// cut record at the end of the file give nothing.
TEST(RecordedSentencesTest, GroupsGiveTheirTextAndStatus) {
  std::vector<std::string> endless{"@$GPGGA"};
  endless.insert(endless.end(), 30, "#,,,,,,,,,,,,,,,,,,,,,,,,,");
  endless.emplace_back("!000001 p");
  const std::string file = Records({"ZEP601  W header"}) + GroupRecords({LONG_TEXT}) +
                           Records({"!000013  123"}) + GroupRecords({"$GPGSA,A,3*00", '@', ' '}) +
                           GroupRecords({LONG_TEXT, '?', ' '}) +
                           Records({"@$GPGGA,1,2", "\"garbled", "!000014 p"}) + Records(endless) +
                           Records({"@$GPGLL,cut"}) +
                           GroupRecords({"$GPGLL,4807.038,N,01131.000,E*00"}) + "@$GPGGA,partial";
  for (const std::size_t block : {std::size_t{1}, std::size_t{2}, std::size_t{128}}) {
    const std::vector<RecordedSentence> sentences = Sentences(file, block);
    ASSERT_EQ(sentences.size(), 3u) << block;
    EXPECT_EQ(sentences[0].text, LONG_TEXT);
    EXPECT_EQ(sentences[0].status, 'p');
    EXPECT_EQ(sentences[1].text, "$GPGSA,A,3*00");
    EXPECT_EQ(sentences[1].status, ' ');
    EXPECT_EQ(sentences[2].text, "$GPGLL,4807.038,N,01131.000,E*00");
  }
}

std::string WrittenHeader(std::int32_t gpsDataType) {
  SurveySettings settings;
  settings.gpsDataType = gpsDataType;
  const Record record = FormatPositioningRecord(settings, 0.5f, -1.25f);
  return std::string(record.data(), RECORD_TEXT_LENGTH);
}

TEST(RecordedSentencesTest, TheHeaderProbeReadsTheFirstPositioningRecord) {
  struct Case {
    const char* name;
    std::vector<std::string> records;
    std::int32_t gpsDataType;
    bool fixMarked;
  };
  const Case cases[] = {
      {"this build", {"ZEP601  W", WrittenHeader(GPS_DATA_TYPE_LEICA_TPS)}, 7, false},
      {"marked fixes", {MarkedHeader('2', 'p')}, 2, true},
      {"not a digit", {MarkedHeader('x', ' ')}, 0, false},
      {"a line first", {"L line 1", MarkedHeader('7', 'p')}, 0, false},
      {"no header", {"@$GPGGA"}, 0, false},
  };
  for (const Case& c : cases) {
    const ExternalHeader header = ProbeExternalHeader(BytesReadAt(Records(c.records)));
    EXPECT_EQ(header.gpsDataType, c.gpsDataType) << c.name;
    EXPECT_EQ(header.fixMarked, c.fixMarked) << c.name;
  }
}

}  // namespace
}  // namespace gradlog
