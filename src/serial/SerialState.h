#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "serial/PortLink.h"

namespace gradlog {

// What the instrument reader reports while it runs; written on its thread.
struct InstrumentStatus {
  std::atomic<std::uint32_t> lastReadingTick{0};
  std::atomic<std::int32_t> connectionRetries{0};
  std::atomic<std::int32_t> instrumentRecordLength{9};
};

// The two ports with their readers, and the instrument line being handled.
struct SerialState {
  InstrumentStatus instrumentStatus;
  std::array<char, 104> instrumentLine{};  // the line being handled, without CR LF
  std::uint32_t instrumentLineStartTick = 0;
  float instrumentRecordPeriodMs = 0.0f;
  std::int32_t readingsPerInterval = 1;
  // Last, so that their readers have ended before the status they write goes.
  PortLink gps;
  PortLink instrument;
};

}  // namespace gradlog
