#include "gps/GpsMonitorFramer.h"

namespace gradlog {

namespace {

constexpr char UNSHOWABLE = '?';
constexpr char CUT_MARK[] = "...";

char Shown(char byte) {
  const auto code = static_cast<unsigned char>(byte);
  return code >= 0x20 && code <= 0x7E ? byte : UNSHOWABLE;
}

}  // namespace

std::optional<std::string> GpsMonitorFramer::Feed(char byte) {
  switch (byte) {
    case '$':
      StartLine();
      line_ = "$";
      return std::nullopt;
    case '\n': {
      if (!inLine_) {
        StartLine();
        return std::nullopt;
      }
      if (cut_)
        line_.replace(MAX_LINE_LENGTH - (sizeof CUT_MARK - 1), std::string::npos, CUT_MARK);
      std::string line = std::move(line_);
      StartLine();
      if (line.empty())
        return std::nullopt;
      return line;
    }
    case '\r':
      if (inLine_) {
        if (pendingCr_)
          Append(UNSHOWABLE);
        pendingCr_ = true;
      }
      return std::nullopt;
    default:
      if (inLine_) {
        if (pendingCr_)
          Append(UNSHOWABLE);
        pendingCr_ = false;
        Append(Shown(byte));
      }
      return std::nullopt;
  }
}

void GpsMonitorFramer::Reset() {
  StartLine();
  inLine_ = false;
}

void GpsMonitorFramer::StartLine() {
  line_.clear();
  inLine_ = true;
  cut_ = false;
  pendingCr_ = false;
}

void GpsMonitorFramer::Append(char shown) {
  if (line_.size() < MAX_LINE_LENGTH)
    line_ += shown;
  else
    cut_ = true;
}

}  // namespace gradlog
