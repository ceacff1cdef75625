#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/SettingChoices.h"
#include "dialogs/DialogTestBase.h"
#include "dialogs/NewLineDialog.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"
#include "serial/PortSetup.h"

namespace gradlog {
namespace {

using platform::LineSettings;
using namespace controls;
namespace gps = gps_port_setup;

// The entries a template's drop-down list shows, checked against what the code that reads or
// names a stored index makes of it: the entry picked is the one that takes effect.
class ChoiceListsTest : public testing::DialogTestBase {
 protected:
  static std::vector<std::string> Entries(std::string_view templateName, int id) {
    if (const platform::DialogTemplate* dialog = platform::FindDialogTemplate(templateName)) {
      for (const platform::DialogItem& item : dialog->items) {
        if (item.id == id)
          return item.entries;
      }
    }
    return {};
  }

  // Each entry of `list` gives the port the value shown; an index past the entries keeps the
  // port's own value, as the table has no entry there either.
  template <typename T, std::size_t N>
  static void ExpectPortFollowsList(int list, std::int32_t SurveySettings::*setting,
                                    T LineSettings::*line,
                                    const std::array<Choice<T>, N>& choices) {
    SCOPED_TRACE(list);
    const std::vector<std::string> entries = Entries(gps::TEMPLATE, list);
    ASSERT_FALSE(entries.empty());
    const LineSettings portsOwn{.baud = 2400, .dataBits = 5};
    SurveySettings settings;
    for (std::size_t index = 0; index <= entries.size(); ++index) {
      settings.*setting = static_cast<std::int32_t>(index);
      const T applied = GpsLineSettings(settings, portsOwn).*line;
      if (index == entries.size()) {
        EXPECT_TRUE(applied == portsOwn.*line) << "the table is longer than the list";
        break;
      }
      const std::int32_t shownAs = ChoiceIndexOf(choices, applied);
      ASSERT_GE(shownAs, 0) << "entry " << entries[index] << " keeps the port's value";
      EXPECT_EQ(choices[static_cast<std::size_t>(shownAs)].text, entries[index]);
    }
  }
};

TEST_F(ChoiceListsTest, TheGpsLineIsTheOnePickedInItsLists) {
  ExpectPortFollowsList(gps::BAUD_LIST, &SurveySettings::gpsBaud, &LineSettings::baud,
                        GPS_BAUD_RATES);
  ExpectPortFollowsList(gps::PARITY_LIST, &SurveySettings::gpsParity, &LineSettings::parity,
                        GPS_PARITIES);
  ExpectPortFollowsList(gps::DATA_BITS_LIST, &SurveySettings::gpsDataBits, &LineSettings::dataBits,
                        GPS_DATA_BITS);
  ExpectPortFollowsList(gps::STOP_BITS_LIST, &SurveySettings::gpsStopBits, &LineSettings::stopBits,
                        GPS_STOP_BITS);
}

TEST_F(ChoiceListsTest, EveryPortEntryNamesThePortThatOpens) {
  for (const auto& [templateName, list] :
       {std::pair{gps::TEMPLATE, gps::PORT_LIST},
        std::pair{logger_setup::TEMPLATE, logger_setup::PORT_LIST}}) {
    SCOPED_TRACE(templateName);
    const std::vector<std::string> entries = Entries(templateName, list);
    ASSERT_FALSE(entries.empty());
    for (std::size_t index = 0; index < entries.size(); ++index)
      EXPECT_EQ(entries[index], ComPortName(static_cast<std::int32_t>(index)));
  }
}

// The entries that other code knows by index show what that code takes them for.
TEST_F(ChoiceListsTest, EntriesNamedInCodeShowTheirName) {
  struct Case {
    std::string_view templateName;
    int list;
    std::int32_t index;
    std::string_view shown;
  };
  const Case cases[] = {
      {gps::TEMPLATE, gps::DATA_TYPE_LIST, GPS_DATA_TYPE_RTS_TRIMBLE, "RTS Trimble"},
      {gps::TEMPLATE, gps::INPUT_LIST, CHOICE_ENABLED, "Enabled"},
      {system_setup::TEMPLATE, system_setup::INSTRUMENT_LIST, CHOICE_ENABLED, "Enabled"},
      {logger_setup::TEMPLATE, logger_setup::UNITS_LIST, DISTANCE_UNITS_METERS, "meters"},
      {logger_setup::TEMPLATE, logger_setup::DATA_STORAGE_LIST, DATA_STORAGE_CARD, "Storage Card"},
      {survey_setup::TEMPLATE, survey_setup::SEQUENCE_LIST, LINE_SEQUENCE_ALTERNATE, "Alternate"},
      {new_line::TEMPLATE, new_line::SEQUENCE_LIST, LINE_SEQUENCE_ALTERNATE, "Alternate"},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.templateName << " " << c.list);
    const std::vector<std::string> entries = Entries(c.templateName, c.list);
    ASSERT_LT(static_cast<std::size_t>(c.index), entries.size());
    EXPECT_EQ(entries[static_cast<std::size_t>(c.index)], c.shown);
  }
}

TEST_F(ChoiceListsTest, TheOppositeOfAShownDirectionIsShownOpposite) {
  const std::map<std::string, std::string> opposites{
      {"West", "East"}, {"East", "West"}, {"South", "North"}, {"North", "South"}};
  for (const auto& [templateName, list] :
       {std::pair{survey_setup::TEMPLATE, survey_setup::DIRECTION_LIST},
        std::pair{new_line::TEMPLATE, new_line::DIRECTION_LIST}}) {
    SCOPED_TRACE(templateName);
    const std::vector<std::string> entries = Entries(templateName, list);
    ASSERT_FALSE(entries.empty());
    for (std::size_t index = 0; index < entries.size(); ++index) {
      SCOPED_TRACE(entries[index]);
      const auto opposite = static_cast<std::size_t>(OppositeDirection(static_cast<int>(index)));
      ASSERT_LT(opposite, entries.size());
      EXPECT_EQ(entries[opposite], opposites.at(entries[index]));
    }
  }
}

}  // namespace
}  // namespace gradlog
