#include <benchmark/benchmark.h>

#include <string>

#include "serial/GradLineFramer.h"

namespace {

// A stream of two-channel readings with a little noise between some of them.
std::string InstrumentStream(std::size_t lines) {
  std::string stream;
  for (std::size_t i = 0; i < lines; ++i) {
    stream += "$PBAR,1012.43,-998.10\r\n";
    if (i % 16 == 0)
      stream += "\x01\xff";
  }
  return stream;
}

void GradFraming(benchmark::State& state) {
  const std::string stream = InstrumentStream(1000);
  gradlog::GradLineFramer framer(9);
  std::size_t accepted = 0;
  for (auto _ : state) {
    for (char byte : stream)
      accepted += framer.Feed(byte, 0).has_value();
  }
  benchmark::DoNotOptimize(accepted);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(GradFraming);

}  // namespace
