#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

struct LocalTime {
  int year = 0;
  int month = 0;      // 1..12
  int day = 0;        // 1..31
  int dayOfWeek = 0;  // 0 = Sunday
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

struct BatteryStatus {
  bool onMains = true;  // a machine without a battery reports mains power
  bool charging = false;
  int percent = -1;  // 0..100, or -1 when unknown (no battery)
};

// The outside services the logger reads: one interface, replaced by a fake in tests.
class SystemServices {
 public:
  virtual ~SystemServices() = default;
  // Milliseconds since the program started, wrapping at 2^32.
  virtual std::uint32_t TickCount() = 0;
  virtual LocalTime Now() = 0;
  virtual BatteryStatus Battery() = 0;
  virtual std::uint64_t FreeMemoryBytes() = 0;
  // Keeps the display and the machine awake for a while more.
  virtual void ResetIdleTimer() = 0;
  // Lets `ms` milliseconds pass on this clock (a fake clock advances instead of sleeping).
  virtual void Sleep(std::uint32_t ms) = 0;
};

std::unique_ptr<SystemServices> MakeRealSystemServices();

// What the real services' ResetIdleTimer() does: the display backend sets it (an empty
// function clears it); without one, resetting the idle timer does nothing.
void SetIdleTimerHook(std::function<void()> hook);

// The services of the running platform; the platform installs them for its lifetime.
void InstallServices(SystemServices* services);
SystemServices& Services();

}  // namespace platform
