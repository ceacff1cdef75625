#include "common/BusyWait.h"

#include "platform/sys/SystemServices.h"

namespace gradlog {

std::uint32_t BusyWaitMs(std::int32_t ms) {
  platform::SystemServices& services = platform::Services();
  const std::uint32_t start = services.TickCount();
  for (;;) {
    const std::uint32_t now = services.TickCount();
    if (static_cast<std::int32_t>(now - start) > ms)
      return now;
    // A millisecond's rest between reads spares the battery; the pauses stay as short.
    services.Sleep(1);
  }
}

}  // namespace gradlog
