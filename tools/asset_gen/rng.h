// Small seeded random generator so every build draws the same assets.
#pragma once

#include <cstdint>

namespace assetgen {

// xorshift64* generator; the same seed always yields the same sequence.
class Rng {
 public:
  // Generator started from a seed (zero is replaced by a fixed constant).
  explicit Rng(uint64_t seed) : state_(seed ? seed : kDefaultSeed) {}

  // Next raw 64-bit value.
  uint64_t next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * kMultiplier;
  }
  // Uniform value in [0, 1).
  float unit() { return static_cast<float>(next() >> 40) / static_cast<float>(1u << 24); }
  // Uniform value in [lo, hi).
  float range(float lo, float hi) { return lo + (hi - lo) * unit(); }

 private:
  static constexpr uint64_t kDefaultSeed = 0x9e3779b97f4a7c15ull;
  static constexpr uint64_t kMultiplier = 0x2545f4914f6cdd1dull;
  uint64_t state_;
};

}  // namespace assetgen
