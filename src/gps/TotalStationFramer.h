#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace gradlog {

// North (label 37) and east (label 38) of one total-station record.
struct TotalStationPosition {
  double north = 0.0;
  double east = 0.0;
  std::uint32_t tick = 0;  // when the record's '>' arrived
};

// Assembles the total station's records: '>' starts one, its lines of label words
// ("37=5000.12") end in CR LF and are joined with commas. A record yields its position once,
// at the LF that completes the pair of labels; it is finished when the next '>' arrives. A
// record that does not fit below BUFFER_SIZE bytes (its joining commas counted) is dropped
// whole, and so is its position if not yet given. A NUL byte drops the record too.
class TotalStationFramer {
 public:
  static constexpr std::size_t BUFFER_SIZE = 300;

  struct Output {
    // The record finished by this byte's '>', without its trailing comma, and the tick of
    // its own '>'; the view is valid until the next call.
    std::optional<std::string_view> finishedRecord;
    std::uint32_t finishedRecordTick = 0;
    std::optional<TotalStationPosition> position;
  };

  Output Feed(char byte, std::uint32_t tick);
  // Drops the record being assembled (the reader was suspended).
  void Reset();

 private:
  enum class Pair { None, NorthSeen, EastSeen, Done };

  // Adds a byte to the open record; false when none is open or the record has outgrown the
  // buffer (it is then dropped).
  bool Append(char byte);
  // At the end of a line: looks for the labels the record still lacks, and gives the position
  // when this line completed the pair.
  std::optional<TotalStationPosition> TakeLabelsAtLineEnd();

  std::array<char, BUFFER_SIZE> buffer_{};
  std::size_t count_ = 0;
  bool inRecord_ = false;
  bool overflowed_ = false;
  Pair pair_ = Pair::None;
  double north_ = 0.0;
  double east_ = 0.0;
  std::uint32_t recordTick_ = 0;
};

}  // namespace gradlog
