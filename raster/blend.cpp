// The blend table and its one implementation: the channel formula on plain
// 64-bit integers, all four channels at once (each in its own 16-bit lane).
// It is exact on every processor, so nothing is chosen at start-up.
#include "raster/blend.h"

#include <algorithm>
#include <mutex>

namespace gradoir {
namespace {

constexpr int kWeightShift = 8;              // weights are W/256
constexpr std::uint32_t kWeightSum = 256;    // W + (256 - W)
constexpr std::uint32_t kMaxWeight = 255;    // weights are 8-bit
constexpr std::uint32_t kAlphaShift = 24;

// Lanes of the widened pixel: B at bit 0, R at 16, G at 32, A at 48. The
// largest lane value, 255 * 256 + 128 = 65408, never carries into the next.
constexpr std::uint64_t kLaneMask = 0x00FF00FF00FF00FFull;
constexpr std::uint64_t kLaneRounding = 0x0080008000800080ull;  // +128 in each lane
constexpr std::uint32_t kEvenBytes = 0x00FF00FFu;                // B and R
constexpr std::uint32_t kOddBytes = 0xFF00FF00u;                 // G and A
constexpr int kOddLaneShift = 24;  // G (bit 8) -> 32, A (bit 24) -> 48

inline std::uint64_t Widen(TColor32 c) {
  return (c & kEvenBytes) | (static_cast<std::uint64_t>(c & kOddBytes) << kOddLaneShift);
}

inline TColor32 Narrow(std::uint64_t lanes) {
  return static_cast<TColor32>((lanes & kEvenBytes) | ((lanes >> kOddLaneShift) & kOddBytes));
}

inline std::uint32_t AlphaOf(TColor32 c) { return c >> kAlphaShift; }

// Out-of-range weights are clamped so that 256 - W can never wrap.
inline std::uint32_t ClampWeight(std::uint32_t w) { return std::min(w, kMaxWeight); }

// Per channel: (W*X + (256-W)*Y + 128) >> 8.
inline TColor32 ChannelFormula(TColor32 x, TColor32 y, std::uint32_t w) {
  const std::uint64_t sum = Widen(x) * w + Widen(y) * (kWeightSum - w) + kLaneRounding;
  return Narrow((sum >> kWeightShift) & kLaneMask);
}

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
