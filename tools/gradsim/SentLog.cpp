#include "gradsim/SentLog.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace gradsim {

SentLog::SentLog(const std::filesystem::path& file)
    : out_(file, std::ios::binary | std::ios::trunc) {
  if (!out_)
    throw std::runtime_error("cannot write the sent log " + file.string() + ": " +
                             std::strerror(errno));
}

void SentLog::Add(std::string_view line) {
  while (line.ends_with('\n') || line.ends_with('\r'))
    line.remove_suffix(1);
  out_ << line << '\n' << std::flush;
}

}  // namespace gradsim
