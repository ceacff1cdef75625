#include "display/ProfileReplayWalk.h"

#include <algorithm>
#include <cstring>

#include "display/ProfileCurves.h"
#include "serial/GradReading.h"

namespace gradlog {

namespace {

constexpr std::int32_t STEP = 2;
// A reading's text is cut after this many characters: its first record's 25 and two of the
// continuation record right after it.
constexpr std::size_t JOINED_TEXT_LENGTH = 27;
constexpr std::size_t CONTINUATION_CHARACTERS = JOINED_TEXT_LENGTH - GROUP_PIECE_LENGTH;

}  // namespace

ReplayOptions ReplayOptionsFor(const DisplayState& display, const SurveySettings& settings) {
  return ReplayOptions{.profileMax = settings.profileMax,
                       .scales = display.profile,
                       .gradSensorCount = settings.gradSensorCount,
                       .g1Shown = settings.channelShown[0] == 1,
                       .g2Shown = settings.channelShown[1] == 1};
}

bool ProfileReplayWalk::Take(std::string_view record) {
  if (over_)
    return false;
  // Only the first byte tells a record's kind; whatever the others hold is read as text.
  switch (record.empty() ? '\0' : record[0]) {
    case 'T':  // the first record of a reading
    case 'M':  // the same for another instrument family
      PlaceReading(record);
      break;
    case 'S':  // a station mark: a one-step gap, and the curves start afresh left of it
      x_ -= STEP;
      BreakCurves();
      over_ = x_ < 0;
      break;
    case 'Z':  // the date-time record that starts every line
      over_ = true;
      break;
    default:
      break;
  }
  later_.fill('\0');
  std::memcpy(later_.data(), record.data(), std::min(record.size(), later_.size()));
  return !over_;
}

void ProfileReplayWalk::PlaceReading(std::string_view record) {
  char joined[JOINED_TEXT_LENGTH];
  const std::string_view first = record.substr(1, GROUP_PIECE_LENGTH);
  std::size_t length = first.copy(joined, first.size());
  // Only a continuation record joins: a reading whose end record was never written must not
  // take the records of the next group as its own.
  if (later_[0] == '=') {
    std::memcpy(joined + length, later_.data() + 1, CONTINUATION_CHARACTERS);
    length += CONTINUATION_CHARACTERS;
  }
  const GradReading reading =
      DecodeGradReading(std::string_view(joined, length), options_.gradSensorCount);
  if (options_.g1Shown) {
    open_.g1.push_back(
        {x_, RowsForValue(reading.g1, options_.profileMax, options_.scales).profileY});
  }
  if (options_.gradSensorCount == 2 && options_.g2Shown) {
    open_.g2.push_back(
        {x_, RowsForValue(reading.g2, options_.profileMax, options_.scales).profileY});
  }
  x_ -= STEP;
  over_ = x_ < 0;
}

void ProfileReplayWalk::BreakCurves() {
  if (!open_.g1.empty() || !open_.g2.empty())
    pieces_.push_back(std::move(open_));
  open_ = ReplayPiece{};
}

std::vector<ReplayPiece> ProfileReplayWalk::Finish() {
  BreakCurves();
  over_ = true;
  return std::move(pieces_);
}

std::vector<ReplayPiece> WalkRecordsBackwards(std::uint64_t length, const ReadAtFunction& readAt,
                                              const ReplayOptions& options,
                                              std::size_t blockRecords) {
  ProfileReplayWalk walk(options);
  const std::uint64_t perBlock = std::max<std::size_t>(blockRecords, 1);
  std::vector<char> buffer(perBlock * RECORD_LENGTH);
  for (std::uint64_t end = length / RECORD_LENGTH; end > 0;) {
    const std::uint64_t first = end > perBlock ? end - perBlock : 0;
    const std::span<char> block(buffer.data(), (end - first) * RECORD_LENGTH);
    if (readAt(first * RECORD_LENGTH, block) != block.size())
      break;
    for (std::uint64_t i = end - first; i > 0; --i) {
      const std::string_view record(block.data() + (i - 1) * RECORD_LENGTH, RECORD_LENGTH);
      if (!walk.Take(record))
        return walk.Finish();
    }
    end = first;
  }
  return walk.Finish();
}

std::vector<ReplayPiece> WalkBytesBackwards(std::string_view bytes, const ReplayOptions& options,
                                            std::size_t blockRecords) {
  const auto readAt = [bytes](std::uint64_t offset, std::span<char> buffer) -> std::size_t {
    if (offset >= bytes.size())
      return 0;
    return bytes.substr(static_cast<std::size_t>(offset)).copy(buffer.data(), buffer.size());
  };
  return WalkRecordsBackwards(bytes.size(), readAt, options, blockRecords);
}

}  // namespace gradlog
