#pragma once

#include <cstdint>

// Small deterministic pseudo-random generator (SplitMix64): the same seed
// gives the same sequence everywhere.
class SplitMix64 {
  public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next();
    // A value from 0 to bound - 1; bound must be above 0.
    std::uint32_t Below(std::uint32_t bound);
    // A value from low to high, both included; low must not exceed high.
    int Between(int low, int high);

  private:
    std::uint64_t state_;
};
