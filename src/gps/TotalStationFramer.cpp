#include "gps/TotalStationFramer.h"

#include "gps/TotalStationLabels.h"

namespace gradlog {

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
    const std::optional<double> found = TotalStationLabelValue(record, label);
    if (found)
      value = *found;
    return found.has_value();
  };
  switch (pair_) {
    case Pair::None:
      // Both labels found at one line's end still leave the pair to a later line's end.
      if (take(TOTAL_STATION_NORTH_LABEL, north_))
        pair_ = Pair::NorthSeen;
      if (take(TOTAL_STATION_EAST_LABEL, east_))
        pair_ = Pair::EastSeen;
      return std::nullopt;
    case Pair::NorthSeen:
      if (!take(TOTAL_STATION_EAST_LABEL, east_))
        return std::nullopt;
      break;
    case Pair::EastSeen:
      if (!take(TOTAL_STATION_NORTH_LABEL, north_))
        return std::nullopt;
      break;
    case Pair::Done:
      return std::nullopt;
  }
  pair_ = Pair::Done;
  return TotalStationPosition{north_, east_, recordTick_};
}

}  // namespace gradlog
