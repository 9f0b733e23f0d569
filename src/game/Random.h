#pragma once
#include <cstdint>
#include <vector>

namespace game {

// The program's one random generator: uniform single-precision numbers in [0, 1) from a
// 24-bit linear congruential generator, seeded once at start-up. Scenarios can seed it or
// force the values it returns.
class Random {
 public:
  void Seed(std::uint32_t seed);
  // Every draw returns the given values in turn, cycling; an empty list ends forcing.
  void Force(std::vector<float> values);
  float Next();

 private:
  std::uint32_t state_ = 0x50000;
  std::vector<float> forced_;
  std::size_t forcedAt_ = 0;
};

}  // namespace game
