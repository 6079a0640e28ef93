#include "figures/random_source.h"

#include <chrono>
#include <utility>

namespace gradoir {

namespace {

TSeedProvider& CurrentProvider() {
  static TSeedProvider provider;
  return provider;
}

}  // namespace

std::int64_t TRandomSource::Below(std::int64_t n) {
  Advance();
  if (n <= 0) return 0;
  const std::uint64_t range = n > 0xFFFFFFFF ? 0xFFFFFFFFull : static_cast<std::uint64_t>(n);
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(seed_) * range) >> 32);
}

long double TRandomSource::Real() {
  Advance();
  return static_cast<long double>(seed_) / 4294967296.0L;
}

int TRandomSource::Sign() { return Real() > 0.5L ? -1 : 1; }

std::uint32_t TimeOfDaySeed() {
  using namespace std::chrono;
  const auto since_epoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
  constexpr std::int64_t kMillisecondsPerDay = 24LL * 60 * 60 * 1000;
  std::int64_t ms = since_epoch.count() % kMillisecondsPerDay;
  if (ms < 0) ms += kMillisecondsPerDay;  // a clock set before 1970
  return static_cast<std::uint32_t>(ms);
}

std::uint32_t NextAngleSeed() {
  const TSeedProvider& provider = CurrentProvider();
  return provider ? provider() : TimeOfDaySeed();
}

void SetSeedProvider(TSeedProvider provider) { CurrentProvider() = std::move(provider); }

TScopedSeedProvider::TScopedSeedProvider(TSeedProvider provider) : previous_(CurrentProvider()) {
  SetSeedProvider(std::move(provider));
}

TScopedSeedProvider::~TScopedSeedProvider() { SetSeedProvider(std::move(previous_)); }

}  // namespace gradoir
