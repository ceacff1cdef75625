#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace gradlog {

// A track mark's position on the map's pixel plane at the current scale.
struct TrackPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const TrackPoint&, const TrackPoint&) = default;
};

// Track points kept sorted by ascending y, so that drawing a strip of rows costs only the
// points in those rows. Live positions go in one by one from the cursor (a walk's points
// arrive in slowly changing y, so each insert is close to constant time); a bulk load
// appends and sorts once. Never holds more than its capacity.
class SortedTrack {
 public:
  // Empties the track and makes room for `capacity` points (the memory is reserved now).
  void Reset(std::size_t capacity);
  // Frees the memory; the capacity becomes 0.
  void Release();

  std::size_t Count() const { return points_.size(); }
  std::size_t Capacity() const { return capacity_; }
  bool Full() const { return points_.size() >= capacity_; }
  std::span<const TrackPoint> Points() const { return points_; }

  // Inserts by the cursor rule: below the cursor's y, after the nearest entry not above y;
  // otherwise before the nearest entry above the cursor whose y is not smaller. The cursor
  // becomes the insertion index. False, and nothing stored, when the track is full.
  bool Insert(TrackPoint point);

  // Bulk load: Append in any order, then SortByY once before the track is drawn. False when
  // full.
  bool Append(TrackPoint point);
  void SortByY();

  // The index of the first point with y >= top, searched from the cursor, which is left
  // there; Count() when there is none.
  std::size_t SeekRow(std::int32_t top);
  std::size_t Cursor() const { return cursor_; }

 private:
  std::vector<TrackPoint> points_;
  std::size_t capacity_ = 0;
  std::size_t cursor_ = 0;
};

}  // namespace gradlog
