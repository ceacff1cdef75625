#include "gps/TotalStationFramer.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace gradlog {

namespace {

constexpr std::string_view NORTH_LABEL = "37=";
constexpr std::string_view EAST_LABEL = "38=";

// A label's value up to the next comma, at the instrument's float precision; an empty value
// is 0. A value that is not wholly a number a float can hold is no value: a garbled line must
// not move the position to a made-up place.
std::optional<double> ParseValue(std::string_view text) {
  if (text.empty())
    return 0.0;
  // An explicit plus sign is a number's; a sign after it is not.
  if (text.front() == '+' && text.size() > 1 && text[1] != '-')
    text.remove_prefix(1);
  double value = 0.0;
  const char* const end = text.data() + text.size();
  const std::from_chars_result parsed = std::from_chars(text.data(), end, value);
  if (parsed.ec != std::errc() || parsed.ptr != end || !std::isfinite(value) ||
      std::abs(value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  return static_cast<double>(static_cast<float>(value));
}

// The first good value of `label` in `record`; a garbled one counts as not given, so a later
// line of the same record may still give it. The label must begin a word (follow the record's
// '>' or a comma), so that a longer label ending in the same digits is not taken.
std::optional<double> LabelValue(std::string_view record, std::string_view label) {
  for (std::size_t at = record.find(label); at != std::string_view::npos;
       at = record.find(label, at + 1)) {
    if (at == 0 || (record[at - 1] != '>' && record[at - 1] != ','))
      continue;
    const std::string_view rest = record.substr(at + label.size());
    if (const std::optional<double> value = ParseValue(rest.substr(0, rest.find(','))))
      return value;
  }
  return std::nullopt;
}

}  // namespace

TotalStationFramer::Output TotalStationFramer::Feed(char byte, std::uint32_t tick) {
  Output output;
  switch (byte) {
    case '\r':
      break;
    case '\0':
      Reset();
      break;
    case '>':
      if (inRecord_ && !overflowed_) {
        std::string_view text(buffer_.data(), count_);
        if (text.ends_with(','))
          text.remove_suffix(1);
        output.finishedRecord = text;
        output.finishedRecordTick = recordTick_;
      }
      // Every record holds '>' at position 0, so the finished text stays intact until the next
      // byte comes.
      buffer_[0] = '>';
      count_ = 1;
      inRecord_ = true;
      overflowed_ = false;
      pair_ = Pair::None;
      recordTick_ = tick;
      break;
    case '\n':
      // The lines of a record are joined with commas, which also end the last value.
      if (Append(','))
        output.position = TakeLabelsAtLineEnd();
      break;
    default:
      Append(byte);
      break;
  }
  return output;
}

void TotalStationFramer::Reset() {
  count_ = 0;
  inRecord_ = false;
  overflowed_ = false;
  pair_ = Pair::None;
}

bool TotalStationFramer::Append(char byte) {
  if (!inRecord_ || overflowed_)
    return false;
  if (count_ + 1 >= BUFFER_SIZE) {
    overflowed_ = true;
    return false;
  }
  buffer_[count_++] = byte;
  return true;
}

std::optional<TotalStationPosition> TotalStationFramer::TakeLabelsAtLineEnd() {
  const std::string_view record(buffer_.data(), count_);
  const auto take = [record](std::string_view label, double& value) {
    const std::optional<double> found = LabelValue(record, label);
    if (found)
      value = *found;
    return found.has_value();
  };
  switch (pair_) {
    case Pair::None:
      // Both labels found at one line's end still leave the pair to a later line's end.
      if (take(NORTH_LABEL, north_))
        pair_ = Pair::NorthSeen;
      if (take(EAST_LABEL, east_))
        pair_ = Pair::EastSeen;
      return std::nullopt;
    case Pair::NorthSeen:
      if (!take(EAST_LABEL, east_))
        return std::nullopt;
      break;
    case Pair::EastSeen:
      if (!take(NORTH_LABEL, north_))
        return std::nullopt;
      break;
    case Pair::Done:
      return std::nullopt;
  }
  pair_ = Pair::Done;
  return TotalStationPosition{north_, east_, recordTick_};
}

}  // namespace gradlog
