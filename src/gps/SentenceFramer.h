#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace gradlog {

// Assembles NMEA sentences from the positioning device's byte stream; it checks nothing of
// their content (the sentence handler does). A line starts at a '$' and ends at LF; it is
// handed over once, without its CR LF. A line that does not begin with '$' (the stream's
// start, noise between sentences, a second LF), one longer than a sentence may be
// (MAX_SENTENCE_LENGTH characters before its CR LF), and one with a NUL byte are dropped
// whole: a cut sentence fails its checksum or decodes a wrong value.
class SentenceFramer {
 public:
  // What the sentence handler's buffer holds, its terminator aside; NMEA allows 82.
  static constexpr std::size_t MAX_SENTENCE_LENGTH = 99;

  // Takes one byte that arrived at `tick`. Returns the sentence when the byte completed one;
  // the view is valid until the next call.
  std::optional<std::string_view> Feed(char byte, std::uint32_t tick);
  // Drops the sentence being assembled (the reader was suspended: the bytes are not
  // contiguous).
  void Reset();
  // When the '$' of the sentence last returned arrived.
  std::uint32_t SentenceStartTick() const { return startTick_; }

 private:
  // Room for the longest sentence and its CR.
  std::array<char, MAX_SENTENCE_LENGTH + 1> buffer_{};
  std::size_t count_ = 0;
  bool inLine_ = false;
  std::uint32_t startTick_ = 0;
};

}  // namespace gradlog
