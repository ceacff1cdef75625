#pragma once

#include <string>
#include <string_view>

#include "datafile/Record.h"

namespace gradlog::testing {

// The first fault, by record number, of a file that should hold only whole groups whose first,
// continuation and end records start with the three `markers` ("T=>"); empty when none.
inline std::string GroupFault(std::string_view bytes, std::string_view markers) {
  bool open = false;  // a group whose end record is still to come
  for (std::size_t at = 0; at < bytes.size(); at += RECORD_LENGTH) {
    const std::string_view record = bytes.substr(at, RECORD_LENGTH);
    const std::string where = "record " + std::to_string(at / RECORD_LENGTH);
    if (record.size() != RECORD_LENGTH || record.back() != '\n')
      return where + " is not whole";
    if (record[0] != markers[open ? 1 : 0] && !(open && record[0] == markers[2]))
      return where + (open ? " cuts a group" : " starts no group");
    open = record[0] != markers[2];
  }
  return open ? "the last group has no end record" : "";
}

}  // namespace gradlog::testing
