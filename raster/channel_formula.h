#pragma once
// The channel formula itself, for the blend table's implementation and for
// the few loops that run it once per pixel of a whole area (the bilinear
// sampler), where a call through the table for each of its three mixes was
// a quarter of a protractor redraw. Same arithmetic, so the same pixels.
//
// All four channels at once on a plain 64-bit integer, each in its own
// 16-bit lane: per channel (W * X + (256 - W) * Y + 128) >> 8, W in 0..255.
#include <cstdint>

#include "raster/types.h"

namespace gradoir::channel {

constexpr int kWeightShift = 8;            // weights are W/256
constexpr std::uint32_t kWeightSum = 256;  // W + (256 - W)

// Lanes of the widened pixel: B at bit 0, R at 16, G at 32, A at 48. The
// largest lane value, 255 * 256 + 128 = 65408, never carries into the next.
constexpr std::uint64_t kLaneMask = 0x00FF00FF00FF00FFull;
constexpr std::uint64_t kLaneRounding = 0x0080008000800080ull;  // +128 in each lane
constexpr std::uint32_t kEvenBytes = 0x00FF00FFu;                // B and R
constexpr std::uint32_t kOddBytes = 0xFF00FF00u;                 // G and A
constexpr int kOddLaneShift = 24;  // G (bit 8) -> 32, A (bit 24) -> 48

inline std::uint64_t widen(Color32 c) {
  return (c & kEvenBytes) | (static_cast<std::uint64_t>(c & kOddBytes) << kOddLaneShift);
}

inline Color32 narrow(std::uint64_t lanes) {
  return static_cast<Color32>((lanes & kEvenBytes) | ((lanes >> kOddLaneShift) & kOddBytes));
}

// The formula for a weight already known to be at most 255.
inline Color32 channelFormula(Color32 x, Color32 y, std::uint32_t w) {
  const std::uint64_t sum = widen(x) * w + widen(y) * (kWeightSum - w) + kLaneRounding;
  return narrow((sum >> kWeightShift) & kLaneMask);
}

// The blend table's mixWeightedInto, for the anti-aliased plot that runs it
// four times per sample of every line: W = 0 keeps B, W >= 255 puts F,
// else B := formula(F, B, W).
inline void mixInto(Color32 f, Color32& b, std::uint32_t w) {
  constexpr std::uint32_t kMaxWeight = 255;
  if (w == 0) return;
  b = w >= kMaxWeight ? f : channelFormula(f, b, w);
}

}  // namespace gradoir::channel
