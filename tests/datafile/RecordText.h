#pragma once

#include <string>
#include <string_view>

#include "datafile/Record.h"

namespace gradlog::testing {

// The 26 characters of a record with every space shown as '_', as the tables of the file
// format write them; a record without its line feed shows "<no LF>" at the end.
inline std::string Shown(std::string_view record) {
  std::string text(record.substr(0, RECORD_TEXT_LENGTH));
  for (char& c : text) {
    if (c == ' ')
      c = '_';
  }
  if (record.size() != RECORD_LENGTH || record.back() != '\n')
    text += "<no LF>";
  return text;
}

}  // namespace gradlog::testing
