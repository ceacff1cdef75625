#include "gps/SentenceSelection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "config/SettingChoices.h"
#include "config/SurveySettings.h"

namespace gradlog {
namespace {

// The table is kept in the order of the data-type list the operator picks from: each NMEA
// choice selects the sentence its entry names ("Leica TPS" sends local coordinates in GGA).
TEST(SentenceSelectionTest, EachNmeaChoiceSelectsTheSentenceItNames) {
  for (std::int32_t type = 0; type < GPS_DATA_TYPE_RTS_TRIMBLE; ++type) {
    const std::string_view entry = GPS_DATA_TYPES[static_cast<std::size_t>(type)];
    SCOPED_TRACE(std::string(entry));
    GpsSentenceSelection selection;
    SelectGpsSentence(selection, type);
    EXPECT_EQ(std::string_view(selection.tag.data()),
              entry == "Leica TPS" ? "GGA" : entry.substr(0, 3));
    EXPECT_GT(selection.fieldCount, 0);
    EXPECT_LE(selection.fieldCount, static_cast<std::int32_t>(selection.fieldRole.size()));
  }
}

// The total station sends label records, and a hand-edited value may lie outside the list:
// neither may leave the decoder with a half-changed selection.
TEST(SentenceSelectionTest, TheTotalStationAndUnknownTypesKeepTheSelection) {
  for (const std::int32_t type : {GPS_DATA_TYPE_RTS_TRIMBLE, -1, 9, INT32_MIN, INT32_MAX}) {
    GpsSentenceSelection selection;
    SelectGpsSentence(selection, 2);
    const GpsSentenceSelection before = selection;
    SelectGpsSentence(selection, type);
    EXPECT_EQ(selection.tag, before.tag) << type;
    EXPECT_EQ(selection.fieldCount, before.fieldCount) << type;
    EXPECT_EQ(selection.fieldRole, before.fieldRole) << type;
    EXPECT_EQ(selection.fieldIndex, before.fieldIndex) << type;
  }
}

}  // namespace
}  // namespace gradlog
