#include "gps/SentenceFramer.h"

namespace gradlog {

std::optional<std::string_view> SentenceFramer::Feed(char byte, std::uint32_t tick) {
  switch (byte) {
    case '$':
      startTick_ = tick;
      buffer_[0] = '$';
      count_ = 1;
      inLine_ = true;
      return std::nullopt;
    case '\n': {
      if (!inLine_)
        return std::nullopt;
      inLine_ = false;
      std::size_t length = count_;
      if (length > 0 && buffer_[length - 1] == '\r')
        --length;
      if (length > MAX_SENTENCE_LENGTH)
        return std::nullopt;
      return std::string_view(buffer_.data(), length);
    }
    case '\0':
      Reset();
      return std::nullopt;
    default:
      if (!inLine_)
        return std::nullopt;
      if (count_ == buffer_.size()) {
        // Longer than any sentence may be: the rest up to the next '$' is dropped with it.
        Reset();
        return std::nullopt;
      }
      buffer_[count_++] = byte;
      return std::nullopt;
  }
}

void SentenceFramer::Reset() {
  count_ = 0;
  inLine_ = false;
}

}  // namespace gradlog
