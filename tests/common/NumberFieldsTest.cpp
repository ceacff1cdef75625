#include "common/NumberFields.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "common/SafeConvert.h"

namespace gradlog {
namespace {

using namespace std::string_literals;

constexpr float FLOAT_MAX = std::numeric_limits<float>::max();

TEST(NumberFieldsTest, TheNthNumericTokenSkipsWhatIsNoNumber) {
  struct Case {
    std::string text;
    int n;
    char delimiter;
    std::optional<std::string> token;
  };
  const std::vector<Case> cases{
      {"abc", 1, ',', std::nullopt},
      {"", 1, ',', std::nullopt},
      {"$PBAR,12.5,-3.1", 1, ',', "12.5"},
      {"$PBAR,12.5,-3.1", 2, ',', "-3.1"},
      {"$PBAR,12.5,-3.1", 3, ',', std::nullopt},
      {"$PBAR,  12.345, -3.2", 1, ',', "12.345"},
      {"$PBAR,  12.345, -3.2", 2, ',', "-3.2"},
      // The empty stretch between the commas is skipped, not counted.
      {"1,,2", 2, ',', "2"},
      {"1,,2", 1, ',', "1"},
      // A token runs to the next delimiter, whatever it holds.
      {"$PBAR,12.5 abc,7", 1, ',', "12.5 abc"},
      {"$PBAR,x1,y2", 2, ',', "2"},
      {"$PBAR,12.5,", 2, ',', std::nullopt},
      {"$PBAR,12.5,abc", 2, ',', std::nullopt},
      {"+.5;-.", 2, ';', "-."},
      {"10 20 30", 3, ' ', "30"},
      {"1,2", 0, ',', std::nullopt},
      {"1,2", -1, ',', std::nullopt},
      // A delimiter that is a number character ends a token before it has begun.
      {"-5", 1, '-', std::nullopt},
      {"1-2", 2, '-', "2"},
      // Bytes that are no text are skipped like letters.
      {"\0\xff,3\0,4"s, 1, ',', "3\0"s},
      {"\0\xff,3\0,4"s, 2, ',', "4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("'" + c.text + "' token " + std::to_string(c.n));
    const std::optional<std::string_view> token = GetNumberField(c.text, c.n, c.delimiter);
    ASSERT_EQ(token.has_value(), c.token.has_value());
    if (token) {
      EXPECT_EQ(std::string(*token), *c.token);
    }
  }
}

TEST(NumberFieldsTest, ATokenReadsAsItsLeadingDecimalNumberWithinTheFloatRange) {
  const std::vector<std::pair<std::string, float>> cases{
      {"12.345", 12.345f},
      {"-3.2     ", -3.2f},
      {"+7", 7.0f},
      {".5", 0.5f},
      {"-", 0.0f},
      {"", 0.0f},
      {"12.5 abc", 12.5f},
      {"1.5e3", 1500.0f},
      {"1,5", 1.0f},
      // The C conversion's other forms are not decimal text.
      {"0x1A", 0.0f},
      {"-inf", 0.0f},
      {"nan", 0.0f},
      {"1e39", FLOAT_MAX},
      {"-1e400", -FLOAT_MAX},
      {"1e-50", 0.0f},
      {std::string(400, '9'), FLOAT_MAX},
  };
  for (const auto& [token, value] : cases) {
    SCOPED_TRACE("'" + token + "'");
    EXPECT_EQ(NumberFieldAsFloat(token), value);
  }
}

TEST(NumberFieldsTest, ClampToFloatKeepsFiniteValuesAndGivesZeroForNan) {
  EXPECT_EQ(ClampToFloat(0.1), 0.1f);
  EXPECT_EQ(ClampToFloat(1e300), FLOAT_MAX);
  EXPECT_EQ(ClampToFloat(-std::numeric_limits<double>::infinity()), -FLOAT_MAX);
  EXPECT_EQ(ClampToFloat(std::numeric_limits<double>::quiet_NaN()), 0.0f);
}

}  // namespace
}  // namespace gradlog
