#pragma once
// The random sequence of the angle generator: a 32-bit linear congruential
// generator, reseeded from the time of day for every new angle. The seed
// comes through a replaceable provider so that tests and gradoir-probe can
// reproduce a given angle.
#include <cstdint>
#include <functional>

namespace gradoir {

class RandomSource {
 public:
  explicit RandomSource(std::uint32_t seed) : m_seed(seed) {}

  std::uint32_t seed() const { return m_seed; }

  // Each draw first advances the seed, then reads the new value.
  // Integer in 0..n-1: high 32 bits of seed * n. Ranges of 0 or less have no
  // value to give and return 0 (the seed still advances); ranges above 2^32-1
  // are taken as 2^32-1.
  std::int64_t below(std::int64_t n);
  // Real in [0, 1): seed / 2^32.
  long double real();
  // -1 when a real draw is greater than 0.5, else +1.
  int sign();

 private:
  void advance() { m_seed = m_seed * 134775813u + 1u; }
  std::uint32_t m_seed;
};

using SeedProvider = std::function<std::uint32_t()>;

// Milliseconds since midnight UTC: ((h*60 + m)*60 + s)*1000 + ms.
std::uint32_t timeOfDaySeed();

// The seed of the next angle, from the current provider (the time of day
// unless replaced).
std::uint32_t nextAngleSeed();

// Replaces the provider; an empty one restores the time of day.
void setSeedProvider(SeedProvider provider);

// Installs a provider for the lifetime of a scope, then restores the previous.
class ScopedSeedProvider {
 public:
  explicit ScopedSeedProvider(SeedProvider provider);
  ~ScopedSeedProvider();
  ScopedSeedProvider(const ScopedSeedProvider&) = delete;
  ScopedSeedProvider& operator=(const ScopedSeedProvider&) = delete;

 private:
  SeedProvider m_previous;
};

}  // namespace gradoir
