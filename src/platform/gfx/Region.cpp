#include "platform/gfx/Region.h"

namespace platform {

namespace {

// Appends the parts of `piece` outside `hole` (at most four rectangles).
void AppendDifference(const Rect& piece, const Rect& hole, std::vector<Rect>& out) {
  const Rect cut = piece.Intersect(hole);
  if (cut.IsEmpty()) {
    out.push_back(piece);
    return;
  }
  if (piece.top < cut.top)
    out.push_back({piece.left, piece.top, piece.right, cut.top});
  if (cut.bottom < piece.bottom)
    out.push_back({piece.left, cut.bottom, piece.right, piece.bottom});
  if (piece.left < cut.left)
    out.push_back({piece.left, cut.top, cut.left, cut.bottom});
  if (cut.right < piece.right)
    out.push_back({cut.right, cut.top, piece.right, cut.bottom});
}

}  // namespace

Region::Region(const Rect& rect) {
  if (!rect.IsEmpty())
    rects_.push_back(rect);
}

void Region::Add(const Rect& rect) {
  if (rect.IsEmpty())
    return;
  // Keep the pieces disjoint: add only what the region does not hold yet.
  std::vector<Rect> fresh{rect};
  for (const Rect& held : rects_) {
    std::vector<Rect> next;
    for (const Rect& piece : fresh)
      AppendDifference(piece, held, next);
    fresh.swap(next);
    if (fresh.empty())
      return;
  }
  rects_.insert(rects_.end(), fresh.begin(), fresh.end());
}

void Region::Add(const Region& other) {
  // A region added to itself adds nothing, and Add() would grow the vector being walked.
  if (&other == this)
    return;
  for (const Rect& r : other.rects_)
    Add(r);
}

void Region::Subtract(const Rect& rect) {
  if (rect.IsEmpty())
    return;
  std::vector<Rect> out;
  out.reserve(rects_.size() + 4);
  for (const Rect& piece : rects_)
    AppendDifference(piece, rect, out);
  rects_.swap(out);
}

void Region::Intersect(const Rect& rect) {
  std::vector<Rect> out;
  for (const Rect& piece : rects_) {
    const Rect cut = piece.Intersect(rect);
    if (!cut.IsEmpty())
      out.push_back(cut);
  }
  rects_.swap(out);
}

void Region::Intersect(const Region& other) {
  std::vector<Rect> out;
  for (const Rect& a : rects_) {
    for (const Rect& b : other.rects_) {
      const Rect cut = a.Intersect(b);
      if (!cut.IsEmpty())
        out.push_back(cut);
    }
  }
  rects_.swap(out);
}

void Region::Offset(int dx, int dy) {
  for (Rect& r : rects_)
    r = r.Offset(dx, dy);
}

bool Region::Contains(Point p) const {
  for (const Rect& r : rects_) {
    if (r.Contains(p))
      return true;
  }
  return false;
}

bool Region::Intersects(const Rect& rect) const {
  for (const Rect& r : rects_) {
    if (r.Intersects(rect))
      return true;
  }
  return false;
}

long Region::Area() const {
  long area = 0;
  for (const Rect& r : rects_)
    area += r.Area();
  return area;
}

Rect Region::Bounds() const {
  if (rects_.empty())
    return {};
  Rect b = rects_.front();
  for (const Rect& r : rects_) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

}  // namespace platform
