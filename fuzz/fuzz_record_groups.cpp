// Any text as a reading or sentence group: every record is whole and marked, the count of
// records follows from the length, and reading the group back gives the text again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/RecordFormat.h"

namespace {

void Check(bool condition) {
  if (!condition)
    abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<gradlog::Record> records = gradlog::SplitIntoGroupPieces(text, '@', '#');
  const std::size_t pieces = records.size();
  Check(pieces ==
        (size == 0 ? 1 : (size + gradlog::GROUP_PIECE_LENGTH - 1) / gradlog::GROUP_PIECE_LENGTH));
  records.push_back(gradlog::FormatSentenceEndRecord('!', 1, 'p', 0xFFFFFFFFu));

  std::string joined;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const gradlog::Record& record = records[i];
    Check(record.size() == gradlog::RECORD_LENGTH);
    Check(record[gradlog::RECORD_TEXT_LENGTH] == '\n');
    const char marker = i == 0 ? '@' : i < pieces ? '#' : '!';
    Check(record[0] == marker);
    if (i < pieces)
      joined.append(record.data() + 1, gradlog::GROUP_PIECE_LENGTH);
  }
  // What a reader does: drop the padding of the last piece.
  const std::size_t kept = joined.find_last_not_of(' ');
  joined.erase(kept == std::string::npos ? 0 : kept + 1);
  Check(text.substr(0, joined.size()) == joined);
  if (text.empty() || text.back() != ' ')
    Check(joined == text);
  else
    Check(text.find_first_not_of(' ', joined.size()) == std::string_view::npos);
  return 0;
}
