#include "gps/ExternalThinning.h"

#include <gtest/gtest.h>

#include <limits>

namespace gradlog {
namespace {

TEST(ExternalThinningTest, TheLimitIsOneEntryPerTenBytes) {
  EXPECT_EQ(ExternalPositionLimit(1'000'000), 100'000);
  EXPECT_EQ(ExternalPositionLimit(19), 1);
  EXPECT_EQ(ExternalPositionLimit(9), 0);
  EXPECT_EQ(ExternalPositionLimit(std::numeric_limits<std::uint64_t>::max()),
            static_cast<std::int64_t>(std::numeric_limits<std::uint64_t>::max() / 10));
}

TEST(ExternalThinningTest, StepsAndSizes) {
  struct Case {
    std::int64_t candidates;
    std::int64_t limit;
    std::int32_t step;
    std::int64_t displayCount;
    std::int64_t capacity;
  };
  const Case cases[] = {
      {120'000, 50'000, 3, 40'000, 40'050},
      {100'000, 50'000, 3, 33'333, 33'383},  // 100000 / 2 is not below the limit
      {100'001, 50'000, 3, 33'333, 33'383},
      {50'000, 50'000, 1, 50'000, 50'100},
      {0, 50'000, 1, 0, 100},
      {0, 0, 1, 0, 100},
      {99'989'999, 10'000, 9999, 9'999, 10'049},
  };
  for (const Case& c : cases) {
    const ExternalThinningPlan plan = PlanExternalThinning(c.candidates + 7, c.candidates, c.limit);
    EXPECT_FALSE(plan.refused) << c.candidates;
    EXPECT_EQ(plan.step, c.step) << c.candidates;
    EXPECT_EQ(plan.displayCount, c.displayCount) << c.candidates;
    EXPECT_EQ(plan.capacity, c.capacity) << c.candidates;
    EXPECT_LE(plan.displayCount, c.limit) << c.candidates;
  }
}

TEST(ExternalThinningTest, TheMessagesTellTotalCandidatesAndStep) {
  EXPECT_EQ(PlanExternalThinning(150'000, 120'000, 50'000).message,
            "Total Number of Positions:       150000\r\n"
            "Number of Positions to display:  120000\r\n"
            "Every   3  position will be displayed");
  EXPECT_EQ(PlanExternalThinning(12, 10, 50'000).message,
            "Total Number of Positions:       12\r\n"
            " Number of Positions to Display:  10\r\n"
            "All positions will be displayed");
}

// Loading nothing, with a reason, rather than more than the memory holds.
TEST(ExternalThinningTest, PlansThatCannotFitAreRefused) {
  const ExternalThinningPlan noMemory = PlanExternalThinning(10, 10, 0);
  EXPECT_TRUE(noMemory.refused);
  EXPECT_NE(noMemory.message.find("memory"), std::string::npos);
  const ExternalThinningPlan tooMany = PlanExternalThinning(99'990'000, 99'990'000, 10'000);
  EXPECT_TRUE(tooMany.refused);
  EXPECT_NE(tooMany.message.find("9999"), std::string::npos);
  EXPECT_EQ(tooMany.displayCount, 0);
  EXPECT_EQ(tooMany.capacity, 0);
}

}  // namespace
}  // namespace gradlog
