#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "BenchDeviceRoot.h"
#include "platform/sys/DevicePaths.h"
#include "platform/ui/Platform.h"
#include "serial/GradReader.h"
#include "serial/PortSetup.h"
#include "serial/SerialState.h"

namespace {

// A pseudo-terminal linked as <root>/dev/COM1, the instrument's end being the master.
class TerminalInstrument {
 public:
  TerminalInstrument() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (!root_.Ready() || master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
      return;
    std::filesystem::create_directories(root_.Path() / "dev");
    std::filesystem::create_symlink(::ptsname(master_), root_.Path() / "dev" / "COM1");
  }
  ~TerminalInstrument() { HangUp(); }
  bool Ready() const { return master_ >= 0; }
  void HangUp() {
    if (master_ >= 0)
      ::close(master_);
    master_ = -1;
  }

 private:
  BenchDeviceRoot root_;
  int master_ = -1;
};

double ProcessCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The CPU a reader costs, in per cent of one core, while its device has hung up (an adapter
// pulled or the far end closed) for the given number of seconds.
void BM_HungUpInstrumentReaderCpu(benchmark::State& state) {
  platform::Platform platform{platform::PlatformOptions{}};
  for (auto _ : state) {
    TerminalInstrument instrument;
    auto serial = std::make_unique<gradlog::SerialState>();
    if (!instrument.Ready() || !platform::OpenSerialPort("COM1:")) {
      state.SkipWithError("no pseudo-terminal");
      return;
    }
    serial->instrument.Port().Set(platform::OpenSerialPort("COM1:"));
    gradlog::StartGradReader(*serial, {.gradSensorCount = 2});
    instrument.HangUp();
    const double cpuBefore = ProcessCpuSeconds();
    std::this_thread::sleep_for(std::chrono::seconds(state.range(0)));
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    state.counters["cpu_percent"] = 100.0 * cpu / static_cast<double>(state.range(0));
    serial.reset();
  }
}
BENCHMARK(BM_HungUpInstrumentReaderCpu)->Arg(10)->Iterations(1)->Unit(benchmark::kSecond);

// From the end of the program's state to the reader's end while the instrument is silent:
// the reader is blocked waiting for input that never comes.
void BM_EndingTheStateWhileTheInstrumentIsSilent(benchmark::State& state) {
  platform::Platform platform{platform::PlatformOptions{}};
  TerminalInstrument instrument;
  if (!instrument.Ready()) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    auto serial = std::make_unique<gradlog::SerialState>();
    serial->instrument.Port().Set(platform::OpenSerialPort("COM1:"));
    gradlog::StartGradReader(*serial, {.gradSensorCount = 2});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    state.ResumeTiming();
    serial.reset();
  }
}
BENCHMARK(BM_EndingTheStateWhileTheInstrumentIsSilent)->Unit(benchmark::kMicrosecond);

}  // namespace
