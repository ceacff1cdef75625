#include <chrono>
#include <thread>

#include "platform/sys/BatteryReader.h"
#include "platform/sys/IdleTimerHook.h"
#include "platform/sys/MemoryReader.h"
#include "platform/sys/RealClock.h"
#include "platform/sys/SystemServices.h"

namespace platform {

namespace {

// The services of the machine the program runs on.
class RealSystemServices : public SystemServices {
 public:
  std::uint32_t TickCount() override {
    return TicksBetween(start_, std::chrono::steady_clock::now());
  }
  LocalTime Now() override { return LocalTimeAt(std::chrono::system_clock::now()); }
  BatteryStatus Battery() override { return ReadBatteryStatus(POWER_SUPPLY_ROOT); }
  std::uint64_t FreeMemoryBytes() override { return ReadAvailableMemoryBytes(MEMINFO_FILE); }
  void ResetIdleTimer() override { CallIdleTimerHook(); }
  void Sleep(std::uint32_t ms) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }

 private:
  // Ticks count from here, so they start small in every run whatever the machine's uptime.
  const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace

std::unique_ptr<SystemServices> MakeRealSystemServices() {
  return std::make_unique<RealSystemServices>();
}

}  // namespace platform
