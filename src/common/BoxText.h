#pragma once

#include <string>

namespace gradlog {

// printf into a screen box's text. No box shows more than about 20 characters; a runaway
// value (a hand-edited setting, a wild number) is cut at 47 here and clipped by the box anyway.
[[gnu::format(printf, 1, 2)]] std::string BoxText(const char* format, ...);

}  // namespace gradlog
