#pragma once

#include <cstdint>
#include <string>

namespace gradlog {

// The most external positions the free memory may hold, one 4-byte entry per 10 bytes:
// ((available / 5) x 4 / 2) / 4.
std::int64_t ExternalPositionLimit(std::uint64_t availableBytes);

// How an external file's positions are thinned to the limit, and the text that tells the user.
// A refused plan loads nothing: no step of up to MAX_EXTERNAL_STEP brings the candidates
// below the limit (or the limit is 0), and its text says why.
inline constexpr std::int32_t MAX_EXTERNAL_STEP = 9999;
struct ExternalThinningPlan {
  bool refused = false;
  std::int32_t step = 1;          // only every step-th candidate is shown
  std::int64_t displayCount = 0;  // the most positions stored
  std::int64_t capacity = 0;      // entries to reserve in each external buffer
  std::string message;            // for the "INFORMATION" box
};

ExternalThinningPlan PlanExternalThinning(std::int64_t total, std::int64_t candidates,
                                          std::int64_t limit);

}  // namespace gradlog
