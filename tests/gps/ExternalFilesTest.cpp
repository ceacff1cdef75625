#include "gps/ExternalFiles.h"

#include <gtest/gtest.h>

#include <string>

#include "datafile/RecordFormat.h"

namespace gradlog {
namespace {

TEST(ExternalFilesTest, TheFirstTwelveBytesTellTheFormat) {
  const Record header = FormatFormatRecord(SurveySettings{});
  struct Case {
    std::string firstBytes;
    std::optional<std::int32_t> recordLength;
  };
  const Case cases[] = {
      {std::string(header.begin(), header.end()), 27},
      {"abcZEP601  W", 27},  // anywhere in the twelve bytes
      {"abcdZEP601  W134GPS", std::nullopt},
      {"ZEP601  W13", std::nullopt},  // shorter than twelve bytes
      {"ZEP601  X134GPS", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DataFileRecordLength(c.firstBytes), c.recordLength) << c.firstBytes;
}

}  // namespace
}  // namespace gradlog
