#pragma once

#include <algorithm>

namespace platform {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Right and bottom are exclusive, as everywhere in the drawing model.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static Rect FromSize(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
  }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool Contains(const Rect& r) const {
    return r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom;
  }
  Rect Intersect(const Rect& r) const {
    Rect out{std::max(left, r.left), std::max(top, r.top), std::min(right, r.right),
             std::min(bottom, r.bottom)};
    return out.IsEmpty() ? Rect{} : out;
  }
  bool Intersects(const Rect& r) const { return !Intersect(r).IsEmpty(); }
  Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  long Area() const { return IsEmpty() ? 0 : static_cast<long>(Width()) * Height(); }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace platform
