#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/Geometry.h"
#include "platform/gfx/Region.h"

namespace platform {

struct TextTraceEntry {
  std::string text;  // UTF-8, without mnemonic '&' markers
  Rect rect;         // the bounds of the visible part of the drawn text, in surface pixels
  // How many of those pixels were visible: fewer than the rect's area when something lay
  // across the text, so that a fill of the visible pieces alone still drops it.
  long visiblePixels = 0;
};

// Records every text drawn on a surface so that tests and scripts can ask what text is
// visible instead of comparing glyph pixels.
class TextTrace {
 public:
  // Far more than a screen holds; a bound on what texts left uncovered can add up to.
  static constexpr std::size_t MAX_ENTRIES = 4096;

  void Record(std::string text, const Rect& visibleRect);
  // Text whose visible part may be in pieces (a window lying across it).
  void Record(std::string text, const Region& visible);
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
  void Add(std::string text, const Rect& rect, long visiblePixels);

  std::vector<TextTraceEntry> entries_;
};

}  // namespace platform
