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

inline std::uint32_t alphaOf(Color32 c) { return c >> kAlphaShift; }

// Out-of-range weights are clamped so that 256 - W can never wrap.
inline std::uint32_t clampWeight(std::uint32_t w) { return std::min(w, kMaxWeight); }

using channel::channelFormula;

// result = formula(X, Y, W), no shortcut.
Color32 mixWeightedPacked(Color32 x, Color32 y, std::uint32_t w) {
  return channelFormula(x, y, clampWeight(w));
}

// W = 0: B kept; W = 255: B := F; else B := formula(F, B, W).
void mixWeightedIntoPacked(Color32 f, Color32& b, std::uint32_t w) { channel::mixInto(f, b, w); }

// A = alpha(F); A = 0: B kept; A = 255: B := F; else B := formula(F, B, A).
void blendOverIntoPacked(Color32 f, Color32& b) {
  const std::uint32_t a = alphaOf(f);
  if (a == 0) return;
  b = (a == kMaxWeight) ? f : channelFormula(f, b, a);
}

// W = ((M + 1) * A) >> 8; A = 0 or W = 0: B kept; else B := formula(F, B, W).
void blendOverScaledIntoPacked(Color32 f, Color32& b, std::uint32_t m) {
  const std::uint32_t a = alphaOf(f);
  if (a == 0) return;
  const std::uint32_t w = ((clampWeight(m) + 1) * a) >> kWeightShift;
  if (w == 0) return;
  b = channelFormula(f, b, w);
}

// blendOverInto(Src[i], Dst[i]) for each i < Count.
void blendRowPacked(const Color32* src, Color32* dst, std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) blendOverIntoPacked(src[i], dst[i]);
}

// W = ((A + 1) * M) >> 8 per pixel; A = 0 or W = 0: skipped; else formula.
void blendRowScaledPacked(const Color32* src, Color32* dst, std::int32_t count, std::uint32_t m) {
  m = clampWeight(m);
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint32_t a = alphaOf(src[i]);
    if (a == 0) continue;
    const std::uint32_t w = ((a + 1) * m) >> kWeightShift;
    if (w == 0) continue;
    dst[i] = channelFormula(src[i], dst[i], w);
  }
}

constexpr BlendFunctions kPackedFunctions = {
    &mixWeightedPacked,   &mixWeightedIntoPacked, &blendOverIntoPacked,
    &blendOverScaledIntoPacked, &blendRowPacked, &blendRowScaledPacked,
};

}  // namespace

// Constant-initialised, so the table is usable even from other files' static
// initialisers, which may run before this file's.
BlendFunctions blend = kPackedFunctions;

void initBlendFunctions() {
  static std::once_flag once;
  std::call_once(once, [] { blend = kPackedFunctions; });
}

namespace {
const bool blend_functions_ready = (initBlendFunctions(), true);
}  // namespace

}  // namespace gradoir
