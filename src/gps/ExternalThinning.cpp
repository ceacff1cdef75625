#include "gps/ExternalThinning.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace gradlog {

namespace {

constexpr const char* TOTAL_LABEL = "Total Number of Positions:      ";
// Headroom over the positions shown, for the step's rounding.
constexpr std::int64_t THINNED_HEADROOM = 50;
constexpr std::int64_t FULL_HEADROOM = 100;

// A message box text: unlike the logging screen's boxes, not cut to a box's width.
[[gnu::format(printf, 1, 2)]] std::string MessageText(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::va_list again;
  va_copy(again, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, arguments);
  va_end(arguments);
  std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, again);
  va_end(again);
  text.pop_back();
  return text;
}

}  // namespace

std::int64_t ExternalPositionLimit(std::uint64_t availableBytes) {
  return static_cast<std::int64_t>(((availableBytes / 5) * 4 / 2) / 4);
}

ExternalThinningPlan PlanExternalThinning(std::int64_t total, std::int64_t candidates,
                                          std::int64_t limit) {
  total = std::max<std::int64_t>(total, 0);
  candidates = std::max<std::int64_t>(candidates, 0);
  const auto count = [](std::int64_t value) { return static_cast<long long>(value); };
  if (candidates <= limit) {
    return {.step = 1,
            .displayCount = candidates,
            .capacity = candidates + FULL_HEADROOM,
            .message = MessageText("%s %lld\r\n %s %lld\r\n%s", TOTAL_LABEL, count(total),
                                   "Number of Positions to Display: ", count(candidates),
                                   "All positions will be displayed")};
  }
  if (limit <= 0) {
    return {.refused = true,
            .message = MessageText("%s %lld\r\n%s", TOTAL_LABEL, count(total),
                                   "Not enough free memory to display any of them")};
  }
  for (std::int32_t step = 2; step <= MAX_EXTERNAL_STEP; ++step) {
    if (candidates / step < limit) {
      return {.step = step,
              .displayCount = candidates / step,
              .capacity = candidates / step + THINNED_HEADROOM,
              .message = MessageText("%s %lld\r\n%s %lld\r\n%s%3d%s", TOTAL_LABEL, count(total),
                                     "Number of Positions to display: ", count(candidates),
                                     "Every ", step, "  position will be displayed")};
    }
  }
  return {.refused = true,
          .message = MessageText("%s %lld\r\n%s %d%s", TOTAL_LABEL, count(total),
                                 "Too many to display: not even every", MAX_EXTERNAL_STEP,
                                 "th position fits in the free memory")};
}

}  // namespace gradlog
