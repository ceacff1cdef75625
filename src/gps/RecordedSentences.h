#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "gps/BlockReads.h"

namespace gradlog {

// The status character of a sentence that became a fix.
inline constexpr char FIX_STATUS = 'p';

// One sentence as the data file recorded it: the text of its '@' and '#' records without
// their markers (the padding of the last piece removed), and the status character of its
// closing '!' record (FIX_STATUS for a sentence that became a fix).
struct RecordedSentence {
  std::string text;
  char status = ' ';
};

// Puts the sentences of a data file together from its records, taken in file order. A bad
// sentence ('?' and its '"' records) never gives a sentence, and neither does one cut short
// by the next '@', one longer than any receiver sends, or an '!' of no open sentence (the
// end of a reading).
class RecordedSentenceWalk {
 public:
  static constexpr std::size_t MAX_TEXT_LENGTH = 512;
  static constexpr std::size_t STATUS_OFFSET = 7;

  // The sentence that `record` closes, if any.
  std::optional<RecordedSentence> Take(std::string_view record);

 private:
  std::string text_;
  bool open_ = false;
};

// Calls `visit` with every whole 27-byte record from the start, reading `blockRecords`
// records at a time, until `visit` returns false; a partial record at the end is left out
// and a short read ends the walk.
void ForEachRecord(const BlockReadAt& readAt,
                   const std::function<bool(std::string_view record)>& visit,
                   std::size_t blockRecords = 128);

void ForEachRecordedSentence(const BlockReadAt& readAt,
                             const std::function<void(const RecordedSentence&)>& visit,
                             std::size_t blockRecords = 128);

// What an external data file's positioning header record ('G') says about its sentences.
struct ExternalHeader {
  std::int32_t gpsDataType = 0;
  bool fixMarked = false;  // its fixes carry the status 'p'
};

// The header from the first 'G' record before any 'L' record; the defaults when there is
// none. A data type that is not a digit reads as 0, whose sentences must have their checksum.
ExternalHeader ProbeExternalHeader(const BlockReadAt& readAt);

}  // namespace gradlog
