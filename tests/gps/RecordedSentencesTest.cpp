#include "gps/RecordedSentences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafile/RecordFormat.h"
#include "gps/GpsDataTypes.h"

namespace gradlog {
namespace {

void Append(std::string& file, const Record& record) {
  file.append(record.data(), record.size());
}

// A sentence's records as the logging writes them.
void AppendSentence(std::string& file, std::string_view text, char first, char continuation,
                    char status) {
  for (const Record& record : SplitIntoGroupPieces(text, first, continuation))
    Append(file, record);
  Append(file, FormatSentenceEndRecord('!', 12, status, 3456));
}

std::vector<RecordedSentence> Sentences(const std::string& file, std::size_t blockRecords) {
  std::vector<RecordedSentence> sentences;
  ForEachRecordedSentence(
      BytesReadAt(file), [&sentences](const RecordedSentence& s) { sentences.push_back(s); },
      blockRecords);
  return sentences;
}

const std::string LONG_TEXT = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

TEST(RecordedSentencesTest, GroupsGiveTheirTextAndStatus) {
  std::string file;
  Append(file, MakeRecord("ZEP601  W header"));
  AppendSentence(file, LONG_TEXT, '@', '#', 'p');
  // A reading's end record between the groups closes no sentence.
  Append(file, MakeRecord("!000013  123"));
  AppendSentence(file, "$GPGSA,A,3*00", '@', '#', ' ');
  // A bad sentence, and a good one spoilt by bad records, give nothing.
  AppendSentence(file, LONG_TEXT, '?', '"', ' ');
  Append(file, MakeRecord("@$GPGGA,1,2"));
  Append(file, MakeRecord("\"garbled"));
  Append(file, MakeRecord("!000014 p"));
  // A group whose end record was never written is dropped at the next one.
  Append(file, MakeRecord("@$GPGLL,cut"));
  AppendSentence(file, "$GPGLL,4807.038,N,01131.000,E*00", '@', '#', 'p');
  // A cut record at the end of the file is not read.
  file += "@$GPGGA,partial";

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

TEST(RecordedSentencesTest, AnEndlessGroupIsDropped) {
  std::string file;
  Append(file, MakeRecord("@$GPGGA"));
  for (int i = 0; i < 30; ++i)
    Append(file, MakeRecord("#,,,,,,,,,,,,,,,,,,,,,,,,,"));
  Append(file, MakeRecord("!000001 p"));
  EXPECT_TRUE(Sentences(file, 128).empty());
}

// A positioning record written by a build that marks its fixes at offset 21.
std::string MarkedHeader(char dataType, char mark) {
  std::string text = "G   0.00   0.00   1";
  text.resize(RECORD_TEXT_LENGTH, ' ');
  text[19] = dataType;
  text[21] = mark;
  return text;
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
      {"RTS Trimble", {WrittenHeader(GPS_DATA_TYPE_RTS_TRIMBLE)}, 9, false},
      {"marked fixes", {MarkedHeader('2', 'p')}, 2, true},
      {"not a digit", {MarkedHeader('x', ' ')}, 0, false},
      {"a line first", {"L line 1", MarkedHeader('7', 'p')}, 0, false},
      {"no header", {"@$GPGGA"}, 0, false},
  };
  for (const Case& c : cases) {
    std::string file;
    for (const std::string& record : c.records)
      Append(file, MakeRecord(record));
    const ExternalHeader header = ProbeExternalHeader(BytesReadAt(file));
    EXPECT_EQ(header.gpsDataType, c.gpsDataType) << c.name;
    EXPECT_EQ(header.fixMarked, c.fixMarked) << c.name;
  }
}

}  // namespace
}  // namespace gradlog
