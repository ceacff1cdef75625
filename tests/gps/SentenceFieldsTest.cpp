#include "gps/SentenceFields.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace gradlog {
namespace {

TEST(SentenceFieldsTest, FieldsAreNumberedFromTheAddress) {
  struct Case {
    std::string_view text;
    std::int32_t n;
    char delimiter;
    std::optional<std::string_view> field;
  };
  constexpr std::string_view GGA = "$GPGGA,123519,4807.038,N";
  const Case cases[] = {
      {GGA, 1, ',', "$GPGGA"},
      {GGA, 2, ',', "123519"},
      {GGA, 3, ',', "4807.038"},
      {GGA, 4, ',', "N"},  // the last field runs to the end
      {GGA, 5, ',', std::nullopt},
      {GGA, 0, ',', std::nullopt},
      {GGA, -1, ',', std::nullopt},
      {GGA, std::numeric_limits<std::int32_t>::max(), ',', std::nullopt},
      {"$GPGGA,,,", 2, ',', ""},
      {"$GPGGA,,,", 4, ',', ""},  // after the last delimiter: empty, but there
      {"$GPGGA,,,", 5, ',', std::nullopt},
      {"no delimiter", 1, ',', "no delimiter"},
      {"no delimiter", 2, ',', std::nullopt},
      {"", 1, ',', std::nullopt},
      {"a;b,c;d", 2, ';', "b,c"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GetSentenceField(c.text, c.n, c.delimiter), c.field)
        << "'" << c.text << "' field " << c.n;
}

TEST(SentenceFieldsTest, TheFieldPointsIntoTheText) {
  const std::string text = "$GPGLL,4807.038,N";
  const auto field = GetSentenceField(text, 2);
  ASSERT_TRUE(field);
  EXPECT_EQ(field->data(), text.data() + 7);
}

}  // namespace
}  // namespace gradlog
