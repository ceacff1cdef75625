#include "gps/ExternalThinning.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace gradlog {
namespace {

TEST(ExternalThinningTest, TheLimitIsOneEntryPerTenBytes) {
  EXPECT_EQ(ExternalPositionLimit(1'000'000), 100'000);
  EXPECT_EQ(ExternalPositionLimit(9), 0);
  EXPECT_EQ(ExternalPositionLimit(std::numeric_limits<std::uint64_t>::max()),
            static_cast<std::int64_t>(std::numeric_limits<std::uint64_t>::max() / 10));
}

// The smallest step that keeps the positions shown below the limit, or a refusal, with a
// reason, rather than more than the memory holds.
TEST(ExternalThinningTest, StepsSizesAndRefusals) {
  struct Case {
    std::int64_t candidates;
    std::int64_t limit;
    std::int32_t step;  // 0: refused
    std::int64_t displayCount;
    std::int64_t capacity;
    const char* messageEnd;
  };
  const Case cases[] = {
      {120'000, 50'000, 3, 40'000, 40'050,
       "Number of Positions to display:  120000\r\nEvery   3  position will be displayed"},
      {100'000, 50'000, 3, 33'333, 33'383, ""},  // 100000 / 2 is not below the limit
      {50'000, 50'000, 1, 50'000, 50'100, ""},
      {10, 50'000, 1, 10, 110,
       " Number of Positions to Display:  10\r\nAll positions will be displayed"},
      {0, 0, 1, 0, 100, ""},
      {99'989'999, 10'000, 9999, 9'999, 10'049, ""},
      {99'990'000, 10'000, 0, 0, 0, "9999th position fits in the free memory"},
      {10, 0, 0, 0, 0, "Not enough free memory to display any of them"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.candidates << " of " << c.limit);
    const ExternalThinningPlan plan = PlanExternalThinning(c.candidates + 2, c.candidates, c.limit);
    EXPECT_EQ(plan.refused ? 0 : plan.step, c.step);
    EXPECT_EQ(plan.displayCount, c.displayCount);
    EXPECT_EQ(plan.capacity, c.capacity);
    EXPECT_TRUE(plan.message.starts_with(
        "Total Number of Positions:       " + std::to_string(c.candidates + 2) + "\r\n"));
    EXPECT_TRUE(plan.message.ends_with(c.messageEnd)) << plan.message;
  }
}

}  // namespace
}  // namespace gradlog
