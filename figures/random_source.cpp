#include "figures/random_source.h"

#include <chrono>
#include <utility>

namespace gradoir {

namespace {

SeedProvider& currentProvider() {
  static SeedProvider provider;
  return provider;
}

}  // namespace

std::int64_t RandomSource::below(std::int64_t n) {
  advance();
  if (n <= 0) return 0;
  const std::uint64_t range = n > 0xFFFFFFFF ? 0xFFFFFFFFull : static_cast<std::uint64_t>(n);
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(m_seed) * range) >> 32);
}

long double RandomSource::real() {
  advance();
  return static_cast<long double>(m_seed) / 4294967296.0L;
}

int RandomSource::sign() { return real() > 0.5L ? -1 : 1; }

std::uint32_t timeOfDaySeed() {
  using namespace std::chrono;
  const auto since_epoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
  constexpr std::int64_t kMillisecondsPerDay = 24LL * 60 * 60 * 1000;
  std::int64_t ms = since_epoch.count() % kMillisecondsPerDay;
  if (ms < 0) ms += kMillisecondsPerDay;  // a clock set before 1970
  return static_cast<std::uint32_t>(ms);
}

std::uint32_t nextAngleSeed() {
  const SeedProvider& provider = currentProvider();
  return provider ? provider() : timeOfDaySeed();
}

void setSeedProvider(SeedProvider provider) { currentProvider() = std::move(provider); }

ScopedSeedProvider::ScopedSeedProvider(SeedProvider provider) : m_previous(currentProvider()) {
  setSeedProvider(std::move(provider));
}

ScopedSeedProvider::~ScopedSeedProvider() { setSeedProvider(std::move(m_previous)); }

}  // namespace gradoir
