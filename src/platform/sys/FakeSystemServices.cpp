#include "platform/sys/FakeSystemServices.h"

#include "platform/sys/LocalTimeArithmetic.h"

namespace platform {

LocalTime FakeSystemServices::Now() {
  std::lock_guard lock(mutex_);
  return AddMilliseconds(base_, tick_.load());
}

BatteryStatus FakeSystemServices::Battery() {
  std::lock_guard lock(mutex_);
  return battery_;
}

void FakeSystemServices::SetLocalTime(const LocalTime& atTickZero) {
  std::lock_guard lock(mutex_);
  base_ = atTickZero;
}

void FakeSystemServices::SetBattery(const BatteryStatus& status) {
  std::lock_guard lock(mutex_);
  battery_ = status;
}

}  // namespace platform
