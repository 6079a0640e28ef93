// The blend table and its one implementation: the channel formula on plain
// 64-bit integers, all four channels at once (each in its own 16-bit lane).
// It is exact on every processor, so nothing is chosen at start-up.
#include "raster/blend.h"
#include "raster/channel_formula.h"

#include <algorithm>
#include <mutex>

namespace gradoir {
namespace {

using channel::kWeightShift;
constexpr std::uint32_t kMaxWeight = 255;    // weights are 8-bit
constexpr std::uint32_t kAlphaShift = 24;

inline std::uint32_t AlphaOf(TColor32 c) { return c >> kAlphaShift; }

// Out-of-range weights are clamped so that 256 - W can never wrap.
inline std::uint32_t ClampWeight(std::uint32_t w) { return std::min(w, kMaxWeight); }

using channel::ChannelFormula;

// result = formula(X, Y, W), no shortcut.
TColor32 MixWeightedPacked(TColor32 x, TColor32 y, std::uint32_t w) {
  return ChannelFormula(x, y, ClampWeight(w));
}

// W = 0: B kept; W = 255: B := F; else B := formula(F, B, W).
void MixWeightedIntoPacked(TColor32 f, TColor32& b, std::uint32_t w) {
  w = ClampWeight(w);
  if (w == 0) return;
  b = (w == kMaxWeight) ? f : ChannelFormula(f, b, w);
}

// A = alpha(F); A = 0: B kept; A = 255: B := F; else B := formula(F, B, A).
void BlendOverIntoPacked(TColor32 f, TColor32& b) {
  const std::uint32_t a = AlphaOf(f);
  if (a == 0) return;
  b = (a == kMaxWeight) ? f : ChannelFormula(f, b, a);
}

// W = ((M + 1) * A) >> 8; A = 0 or W = 0: B kept; else B := formula(F, B, W).
void BlendOverScaledIntoPacked(TColor32 f, TColor32& b, std::uint32_t m) {
  const std::uint32_t a = AlphaOf(f);
  if (a == 0) return;
  const std::uint32_t w = ((ClampWeight(m) + 1) * a) >> kWeightShift;
  if (w == 0) return;
  b = ChannelFormula(f, b, w);
}

// BlendOverInto(Src[i], Dst[i]) for each i < Count.
void BlendRowPacked(const TColor32* src, TColor32* dst, std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) BlendOverIntoPacked(src[i], dst[i]);
}

// W = ((A + 1) * M) >> 8 per pixel; A = 0 or W = 0: skipped; else formula.
void BlendRowScaledPacked(const TColor32* src, TColor32* dst, std::int32_t count, std::uint32_t m) {
  m = ClampWeight(m);
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint32_t a = AlphaOf(src[i]);
    if (a == 0) continue;
    const std::uint32_t w = ((a + 1) * m) >> kWeightShift;
    if (w == 0) continue;
    dst[i] = ChannelFormula(src[i], dst[i], w);
  }
}

constexpr TBlendFunctions kPackedFunctions = {
    &MixWeightedPacked,   &MixWeightedIntoPacked, &BlendOverIntoPacked,
    &BlendOverScaledIntoPacked, &BlendRowPacked, &BlendRowScaledPacked,
};

}  // namespace

// Constant-initialised, so the table is usable even from other files' static
// initialisers, which may run before this file's.
TBlendFunctions Blend = kPackedFunctions;

void InitBlendFunctions() {
  static std::once_flag once;
  std::call_once(once, [] { Blend = kPackedFunctions; });
}

namespace {
const bool blend_functions_ready = (InitBlendFunctions(), true);
}  // namespace

}  // namespace gradoir
