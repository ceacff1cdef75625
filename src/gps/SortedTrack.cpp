#include "gps/SortedTrack.h"

#include <algorithm>

namespace gradlog {

void SortedTrack::Reset(std::size_t capacity) {
  points_.clear();
  points_.reserve(capacity);
  capacity_ = capacity;
  cursor_ = 0;
}

void SortedTrack::Release() {
  std::vector<TrackPoint>().swap(points_);
  capacity_ = 0;
  cursor_ = 0;
}

bool SortedTrack::Insert(TrackPoint point) {
  if (Full())
    return false;
  std::size_t at = 0;
  if (!points_.empty()) {
    const std::size_t cursor = std::min(cursor_, points_.size() - 1);
    if (point.y < points_[cursor].y) {
      // After the nearest entry below the cursor whose y is not greater.
      at = cursor;
      while (at > 0 && points_[at - 1].y > point.y)
        --at;
    } else {
      // Before the nearest entry above the cursor whose y is not smaller.
      at = cursor + 1;
      while (at < points_.size() && points_[at].y < point.y)
        ++at;
    }
  }
  points_.insert(points_.begin() + static_cast<std::ptrdiff_t>(at), point);
  cursor_ = at;
  return true;
}

bool SortedTrack::Append(TrackPoint point) {
  if (Full())
    return false;
  points_.push_back(point);
  return true;
}

void SortedTrack::SortByY() {
  std::stable_sort(points_.begin(), points_.end(),
                   [](const TrackPoint& a, const TrackPoint& b) { return a.y < b.y; });
  cursor_ = 0;
}

std::size_t SortedTrack::SeekRow(std::int32_t top) {
  std::size_t at = std::min(cursor_, points_.size());
  while (at < points_.size() && points_[at].y < top)
    ++at;
  while (at > 0 && points_[at - 1].y >= top)
    --at;
  cursor_ = at;
  return at;
}

}  // namespace gradlog
