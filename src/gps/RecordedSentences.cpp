#include "gps/RecordedSentences.h"

#include <algorithm>
#include <vector>

#include "datafile/Record.h"

namespace gradlog {

namespace {

constexpr std::size_t DATA_TYPE_OFFSET = 19;
constexpr std::size_t FIX_MARK_OFFSET = 21;

char At(std::string_view record, std::size_t offset) {
  return offset < record.size() ? record[offset] : ' ';
}

// A record's text: its characters after the marker, without the line feed.
std::string_view TextOf(std::string_view record) {
  return record.substr(std::min<std::size_t>(1, record.size()), GROUP_PIECE_LENGTH);
}

}  // namespace

std::optional<RecordedSentence> RecordedSentenceWalk::Take(std::string_view record) {
  switch (At(record, 0)) {
    case '@':
      text_.assign(TextOf(record));
      open_ = true;
      return std::nullopt;
    case '#':
      if (open_)
        text_.append(TextOf(record));
      open_ = open_ && text_.size() <= MAX_TEXT_LENGTH;
      return std::nullopt;
    case '?':
    case '"':
      open_ = false;
      return std::nullopt;
    case '!': {
      if (!open_)
        return std::nullopt;
      open_ = false;
      RecordedSentence sentence{.text = std::move(text_), .status = At(record, STATUS_OFFSET)};
      sentence.text.erase(sentence.text.find_last_not_of(' ') + 1);
      text_.clear();
      return sentence;
    }
    default:
      return std::nullopt;
  }
}

void ForEachRecord(const BlockReadAt& readAt,
                   const std::function<bool(std::string_view record)>& visit,
                   std::size_t blockRecords) {
  std::vector<char> buffer(std::max<std::size_t>(blockRecords, 1) * RECORD_LENGTH);
  for (std::uint64_t offset = 0;;) {
    const std::size_t got = readAt(offset, buffer);
    const std::size_t whole = got / RECORD_LENGTH;
    for (std::size_t i = 0; i < whole; ++i) {
      if (!visit(std::string_view(buffer.data() + i * RECORD_LENGTH, RECORD_LENGTH)))
        return;
    }
    if (got < buffer.size())
      return;
    offset += got;
  }
}

void ForEachRecordedSentence(const BlockReadAt& readAt,
                             const std::function<void(const RecordedSentence&)>& visit,
                             std::size_t blockRecords) {
  RecordedSentenceWalk walk;
  ForEachRecord(
      readAt,
      [&walk, &visit](std::string_view record) {
        if (const std::optional<RecordedSentence> sentence = walk.Take(record))
          visit(*sentence);
        return true;
      },
      blockRecords);
}

ExternalHeader ProbeExternalHeader(const BlockReadAt& readAt) {
  ExternalHeader header;
  ForEachRecord(readAt, [&header](std::string_view record) {
    if (At(record, 0) == 'G') {
      const char type = At(record, DATA_TYPE_OFFSET);
      header.gpsDataType = type >= '0' && type <= '9' ? type - '0' : 0;
      header.fixMarked = At(record, FIX_MARK_OFFSET) != ' ';
    }
    return At(record, 0) != 'G' && At(record, 0) != 'L';
  });
  return header;
}

}  // namespace gradlog
