#include "serial/GradLineFramer.h"

namespace gradlog {

namespace {

constexpr std::string_view LINE_TAG = "PBAR";

}  // namespace

std::optional<std::string_view> GradLineFramer::Feed(char byte, std::uint32_t tick) {
  switch (byte) {
    case '$':
      startTick_ = tick;
      buffer_[0] = '$';
      count_ = 1;
      inLine_ = true;
      return std::nullopt;
    case '\n':
      return EndLine();
    case '\0':
      // The line would be stored and shown cut at the NUL, as a plausible different value.
      Reset();
      return std::nullopt;
    default:
      if (count_ == BUFFER_SIZE) {
        // No instrument line is this long: what is held is noise, and storing on from
        // position 0 without a '$' could pass a line that never began as one.
        Reset();
        return std::nullopt;
      }
      buffer_[count_++] = byte;
      return std::nullopt;
  }
}

void GradLineFramer::Reset() {
  count_ = 0;
  inLine_ = false;
}

std::optional<std::string_view> GradLineFramer::EndLine() {
  const bool accepted = inLine_ && count_ >= LINE_TAG.size() + 1 &&
                        static_cast<std::int64_t>(count_) >= minimumLength_ &&
                        buffer_[count_ - 1] == '\r' && HasTag();
  inLine_ = false;
  if (!accepted)
    return std::nullopt;
  const std::size_t length = count_ - 1;
  count_ = 0;
  return std::string_view(buffer_.data(), length);
}

bool GradLineFramer::HasTag() const {
  return std::string_view(buffer_.data() + 1, LINE_TAG.size()) == LINE_TAG;
}

}  // namespace gradlog
