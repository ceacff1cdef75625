#pragma once

#include <cstdint>
#include <random>

namespace gradsim {

// The one source of randomness, seeded by --seed so that a run can be repeated.
class Random {
 public:
  explicit Random(std::uint64_t seed) : engine_(seed) {}

  double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(engine_);
  }
  int Integer(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
  double Normal(double sigma) { return std::normal_distribution<double>(0.0, sigma)(engine_); }
  bool Chance(double probability) { return Uniform(0.0, 1.0) < probability; }

 private:
  std::mt19937_64 engine_;
};

}  // namespace gradsim
