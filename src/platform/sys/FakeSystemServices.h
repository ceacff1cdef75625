#pragma once

#include <atomic>
#include <mutex>

#include "platform/sys/SystemServices.h"

namespace platform {

// A clock advanced by hand, and battery, memory and idle timer set by the test.
class FakeSystemServices : public SystemServices {
 public:
  std::uint32_t TickCount() override { return tick_.load(); }
  LocalTime Now() override;
  BatteryStatus Battery() override;
  std::uint64_t FreeMemoryBytes() override { return freeMemory_.load(); }
  void ResetIdleTimer() override { ++idleResets_; }
  void Sleep(std::uint32_t ms) override { Advance(ms); }

  void Advance(std::uint32_t ms) { tick_ += ms; }
  void SetTickCount(std::uint32_t tick) { tick_ = tick; }
  // The local time at tick 0; Now() adds the ticks since.
  void SetLocalTime(const LocalTime& atTickZero);
  void SetBattery(const BatteryStatus& status);
  void SetFreeMemory(std::uint64_t bytes) { freeMemory_ = bytes; }
  int IdleResets() const { return idleResets_.load(); }

 private:
  std::atomic<std::uint32_t> tick_{0};
  std::atomic<std::uint64_t> freeMemory_{64ull << 20};
  std::atomic<int> idleResets_{0};
  std::mutex mutex_;
  LocalTime base_{2026, 6, 1, 1, 8, 0, 0, 0};
  BatteryStatus battery_{};
};

}  // namespace platform
