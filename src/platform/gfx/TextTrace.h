#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/Geometry.h"
#include "platform/gfx/Region.h"

namespace platform {

struct TextTraceEntry {
  std::string text;  // UTF-8, without mnemonic '&' markers
  Rect rect;         // the visible part of the drawn text, in surface pixels
};

// Records every text drawn on a surface so that tests and scripts can ask what text is
// visible instead of comparing glyph pixels.
class TextTrace {
 public:
  void Record(std::string text, const Rect& visibleRect);
  // A fill or copy over `area` drops the entries it covers (half or more of an entry).
  void DropCovered(const Rect& area);
  // The same for an area made of several pieces (a fill clipped to a visible region).
  void DropCovered(const Region& area);
  // Copies the entries lying inside `source` of another trace, moved by (dx, dy).
  void CopyFrom(const TextTrace& other, const Rect& source, int dx, int dy);
  void Clear() { entries_.clear(); }

  std::vector<TextTraceEntry> EntriesIn(const Rect& area) const;  // entries intersecting `area`
  bool IsVisible(std::string_view text) const;                    // any entry contains `text`
  bool IsVisibleIn(std::string_view text, const Rect& area) const;
  const std::vector<TextTraceEntry>& Entries() const { return entries_; }

 private:
  std::vector<TextTraceEntry> entries_;
};

}  // namespace platform
