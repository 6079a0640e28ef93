#pragma once
// The random sequence of the angle generator: a 32-bit linear congruential
// generator, reseeded from the time of day for every new angle. The seed
// comes through a replaceable provider so that tests and gradoir-probe can
// reproduce a given angle.
#include <cstdint>
#include <functional>

namespace gradoir {

class TRandomSource {
 public:
  explicit TRandomSource(std::uint32_t seed) : seed_(seed) {}

  std::uint32_t Seed() const { return seed_; }

  // Each draw first advances the seed, then reads the new value.
  // Integer in 0..n-1: high 32 bits of seed * n. Ranges of 0 or less have no
  // value to give and return 0 (the seed still advances); ranges above 2^32-1
  // are taken as 2^32-1.
  std::int64_t Below(std::int64_t n);
  // Real in [0, 1): seed / 2^32.
  long double Real();
  // -1 when a real draw is greater than 0.5, else +1.
  int Sign();

 private:
  void Advance() { seed_ = seed_ * 134775813u + 1u; }
  std::uint32_t seed_;
};

using TSeedProvider = std::function<std::uint32_t()>;

// Milliseconds since midnight UTC: ((h*60 + m)*60 + s)*1000 + ms.
std::uint32_t TimeOfDaySeed();

// The seed of the next angle, from the current provider (the time of day
// unless replaced).
std::uint32_t NextAngleSeed();

// Replaces the provider; an empty one restores the time of day.
void SetSeedProvider(TSeedProvider provider);

// Installs a provider for the lifetime of a scope, then restores the previous.
class TScopedSeedProvider {
 public:
  explicit TScopedSeedProvider(TSeedProvider provider);
  ~TScopedSeedProvider();
  TScopedSeedProvider(const TScopedSeedProvider&) = delete;
  TScopedSeedProvider& operator=(const TScopedSeedProvider&) = delete;

 private:
  TSeedProvider previous_;
};

}  // namespace gradoir
