#pragma once

#include <vector>

#include "platform/gfx/Geometry.h"

namespace platform {

// A set of pixels kept as non-overlapping rectangles: visible regions and update regions.
class Region {
 public:
  Region() = default;
  explicit Region(const Rect& rect);

  void Add(const Rect& rect);
  void Add(const Region& other);
  void Subtract(const Rect& rect);
  void Intersect(const Rect& rect);
  void Intersect(const Region& other);
  void Offset(int dx, int dy);
  void Clear() { rects_.clear(); }

  bool IsEmpty() const { return rects_.empty(); }
  bool Contains(Point p) const;
  bool Intersects(const Rect& rect) const;
  long Area() const;
  Rect Bounds() const;
  const std::vector<Rect>& Rects() const { return rects_; }

 private:
  std::vector<Rect> rects_;
};

}  // namespace platform
