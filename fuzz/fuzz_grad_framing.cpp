// Any byte stream on the instrument port: every line the framer accepts is a whole reading.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "serial/GradLineFramer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1)
    return 0;
  const std::int32_t minimumLength = data[0] % 2 == 0 ? 7 : 9;
  gradlog::GradLineFramer framer(minimumLength);
  for (std::size_t i = 1; i < size; ++i) {
    const auto line = framer.Feed(static_cast<char>(data[i]), static_cast<std::uint32_t>(i));
    if (!line)
      continue;
    const bool wellFormed = line->starts_with("$PBAR") &&
                            static_cast<std::int32_t>(line->size()) + 1 >= minimumLength &&
                            line->size() < gradlog::GradLineFramer::BUFFER_SIZE &&
                            line->find('\n') == std::string_view::npos &&
                            line->find('$', 1) == std::string_view::npos;
    if (!wellFormed)
      std::abort();
  }
  return 0;
}
