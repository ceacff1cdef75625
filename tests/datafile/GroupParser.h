#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/Record.h"

namespace gradlog::testing {

// The marker letters of one kind of group: readings ('T', '=', '>') or sentences.
struct GroupMarkers {
  char first;
  char continuation;
  char end;
};

// A group read back: which kind, its text without the padding, and its end record.
struct ParsedGroup {
  const GroupMarkers* kind;
  std::string text;
  std::string endRecord;
};

// The groups of a data file in file order, up to the first fault; `fault` names it with its
// record number (empty when the whole file is whole groups), and the whole groups before it
// fill the first `wholeLength` bytes.
struct ParsedGroups {
  std::vector<ParsedGroup> groups;
  std::string fault;
  std::size_t wholeLength = 0;
};

inline ParsedGroups ParseGroups(std::string_view bytes, std::span<const GroupMarkers> kinds) {
  ParsedGroups parsed;
  const std::size_t piece = bytes.size() % RECORD_LENGTH;
  bytes.remove_suffix(piece);
  const auto recordAt = [&](std::size_t index) {
    return bytes.substr(index * RECORD_LENGTH, RECORD_LENGTH);
  };
  const auto fail = [&](std::size_t index, const std::string& what) {
    parsed.fault = "record " + std::to_string(index) + ": " + what;
    return parsed;
  };
  const std::size_t records = bytes.size() / RECORD_LENGTH;
  for (std::size_t index = 0; index < records; ++index) {
    if (recordAt(index).back() != '\n')
      return fail(index, "no line feed");
  }
  std::size_t index = 0;
  while (index < records) {
    const char marker = recordAt(index)[0];
    const GroupMarkers* kind = nullptr;
    for (const GroupMarkers& candidate : kinds) {
      if (candidate.first == marker)
        kind = &candidate;
    }
    if (kind == nullptr)
      return fail(index, std::string("no group starts with '") + marker + "'");
    ParsedGroup group{kind, {}, {}};
    do {
      group.text += recordAt(index).substr(1, GROUP_PIECE_LENGTH);
      ++index;
    } while (index < records && recordAt(index)[0] == kind->continuation);
    if (index == records || recordAt(index)[0] != kind->end)
      return fail(index, "a group without its end record");
    group.text.erase(group.text.find_last_not_of(' ') + 1);
    group.endRecord = recordAt(index);
    ++index;
    parsed.groups.push_back(std::move(group));
    parsed.wholeLength = index * RECORD_LENGTH;
  }
  if (piece != 0)
    parsed.fault = "a piece of a record at the end";
  return parsed;
}

}  // namespace gradlog::testing
