#include "platform/gfx/TextTrace.h"

#include <algorithm>

namespace platform {

namespace {

long CoveredArea(const Rect& entry, const Region& area) {
  long covered = 0;
  for (const Rect& piece : area.Rects())
    covered += entry.Intersect(piece).Area();
  return covered;
}

}  // namespace

void TextTrace::Record(std::string text, const Rect& visibleRect) {
  Add(std::move(text), visibleRect, visibleRect.Area());
}

void TextTrace::Record(std::string text, const Region& visible) {
  Add(std::move(text), visible.Bounds(), visible.Area());
}

void TextTrace::Add(std::string text, const Rect& rect, long visiblePixels) {
  if (text.empty() || rect.IsEmpty() || visiblePixels <= 0)
    return;
  // Redrawing the same text in the same place must not grow the trace.
  std::erase_if(entries_,
                [&](const TextTraceEntry& e) { return e.rect == rect && e.text == text; });
  // A bound for texts that nothing ever covers again: the oldest of them go first.
  if (entries_.size() >= MAX_ENTRIES)
    entries_.erase(entries_.begin());
  entries_.push_back({std::move(text), rect, visiblePixels});
}

void TextTrace::DropCovered(const Rect& area) {
  DropCovered(Region(area));
}

void TextTrace::DropCovered(const Region& area) {
  if (area.IsEmpty())
    return;
  std::erase_if(entries_, [&](const TextTraceEntry& e) {
    return 2 * CoveredArea(e.rect, area) >= e.visiblePixels;
  });
}

void TextTrace::CopyFrom(const TextTrace& other, const Rect& source, int dx, int dy) {
  // A copy of the entries first: `other` may be this trace.
  const std::vector<TextTraceEntry> from = other.entries_;
  for (const TextTraceEntry& e : from) {
    const Rect part = e.rect.Intersect(source);
    // Text of which less than half comes along is no longer readable at the destination.
    if (2 * part.Area() >= e.rect.Area())
      Add(e.text, part.Offset(dx, dy), std::min(part.Area(), e.visiblePixels));
  }
}

std::vector<TextTraceEntry> TextTrace::EntriesIn(const Rect& area) const {
  std::vector<TextTraceEntry> found;
  for (const TextTraceEntry& e : entries_) {
    if (e.rect.Intersects(area))
      found.push_back(e);
  }
  return found;
}

bool TextTrace::IsVisible(std::string_view text) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const TextTraceEntry& e) {
    return e.text.find(text) != std::string::npos;
  });
}

bool TextTrace::IsVisibleIn(std::string_view text, const Rect& area) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const TextTraceEntry& e) {
    return e.rect.Intersects(area) && e.text.find(text) != std::string::npos;
  });
}

}  // namespace platform
