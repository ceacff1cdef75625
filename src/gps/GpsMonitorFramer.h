#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace gradlog {

// Cuts the GPS port's byte stream into lines for the monitor, which shows whatever the device
// sends, checked or not. A '$' starts a line and LF ends it (a CR just before the LF is
// dropped). After an LF the next bytes form a line even without a '$' (a total station's
// "37=..." records), but the bytes before the stream's first '$' or LF are dropped: they are
// the tail of a line whose start was missed. Bytes that cannot be shown as text (NUL, other
// control bytes, bytes above 0x7E) are shown as '?', so that nothing is hidden or cuts a
// line short. A line longer than MAX_LINE_LENGTH characters is cut and ends in "...". Empty
// lines are dropped.
class GpsMonitorFramer {
 public:
  // What the list shows of one line at most, "..." included.
  static constexpr std::size_t MAX_LINE_LENGTH = 99;

  // Takes one byte; returns the line that it completed.
  std::optional<std::string> Feed(char byte);
  // Forgets the line being assembled and waits for the next '$' or LF: the bytes to come are
  // not contiguous with those before (the reader was suspended, or the line fell silent).
  void Reset();

 private:
  void StartLine();
  void Append(char shown);

  std::string line_;
  bool inLine_ = false;
  bool cut_ = false;
  bool pendingCr_ = false;  // a CR came last: dropped if an LF follows, shown as '?' if not
};

}  // namespace gradlog
