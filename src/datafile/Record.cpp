#include "datafile/Record.h"

#include <algorithm>

namespace gradlog {

Record MakeRecord(std::string_view text) {
  Record record;
  record.fill(' ');
  const std::size_t length = std::min(text.size(), RECORD_TEXT_LENGTH);
  std::copy_n(text.begin(), length, record.begin());
  record[RECORD_TEXT_LENGTH] = '\n';
  return record;
}

}  // namespace gradlog
