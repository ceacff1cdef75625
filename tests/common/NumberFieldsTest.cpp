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
  // Each text with all its tokens; the one after the last is missing.
  const struct {
    std::string text;
    char delimiter;
    std::vector<std::string> tokens;
  } cases[]{
      {"", ',', {}},
      {"$PBAR,  12.345, -3.2", ',', {"12.345", "-3.2"}},
      {"1,,2", ',', {"1", "2"}},                     // the empty stretch is not counted
      {"$PBAR,12.5 abc,7", ',', {"12.5 abc", "7"}},  // a token runs to the next delimiter
      {"$PBAR,x1,y2", ',', {"1", "2"}},
      {"$PBAR,12.5,", ',', {"12.5"}},
      {"$PBAR,12.5,abc", ',', {"12.5"}},
      {"+.5;-.", ';', {"+.5", "-."}},
      {"10 20 30", ' ', {"10", "20", "30"}},
      {"-5", '-', {}},  // a number-character delimiter ends a token before it begins
      {"1-2", '-', {"1", "2"}},
      {"\0\xff,3\0,4"s, ',', {"3\0"s, "4"}},  // bytes that are no text are skipped like letters
  };
  for (const auto& c : cases) {
    for (std::size_t n = 1; n <= c.tokens.size() + 1; ++n) {
      SCOPED_TRACE("'" + c.text + "' token " + std::to_string(n));
      const std::optional<std::string_view> token =
          GetNumberField(c.text, static_cast<int>(n), c.delimiter);
      ASSERT_EQ(token.has_value(), n <= c.tokens.size());
      if (token) {
        EXPECT_EQ(std::string(*token), c.tokens[n - 1]);
      }
    }
  }
  EXPECT_FALSE(GetNumberField("1,2", 0, ','));
  EXPECT_FALSE(GetNumberField("1,2", -1, ','));
}

// Only decimal text counts (no hex, inf or nan); values clamp to the float range.
TEST(NumberFieldsTest, ATokenReadsAsItsLeadingDecimalNumberWithinTheFloatRange) {
  const std::vector<std::pair<std::string, float>> cases{
      {"-3.2     ", -3.2f}, {"+7", 7.0f},
      {".5", 0.5f},         {"-", 0.0f},
      {"12.5 abc", 12.5f},  {"1.5e3", 1500.0f},
      {"0x1A", 0.0f},       {"-inf", 0.0f},
      {"1e39", FLOAT_MAX},  {"-1e400", -FLOAT_MAX},
      {"1e-50", 0.0f},      {std::string(400, '9'), FLOAT_MAX}};
  for (const auto& c : cases) {
    SCOPED_TRACE("'" + c.first + "'");
    EXPECT_EQ(NumberFieldAsFloat(c.first), c.second);
  }
  EXPECT_EQ(ClampToFloat(0.1), 0.1f);
  EXPECT_EQ(ClampToFloat(1e300), FLOAT_MAX);
  EXPECT_EQ(ClampToFloat(-std::numeric_limits<double>::infinity()), -FLOAT_MAX);
  EXPECT_EQ(ClampToFloat(std::numeric_limits<double>::quiet_NaN()), 0.0f);
}

}  // namespace
}  // namespace gradlog
