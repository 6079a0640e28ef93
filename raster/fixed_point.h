#pragma once
// The two fixed-point formats of the pixel and line primitives, named once:
// 16.16 for line end points and 24.8 for sub-pixel positions. Shifts of
// signed values are arithmetic (floor), which the sample positions rely on.
#include <cstdint>

namespace gradoir::fixed {

// 16.16: a whole pixel is 65536.
constexpr int kFixed16Shift = 16;
constexpr std::int64_t kFixed16One = std::int64_t{1} << kFixed16Shift;
constexpr std::int64_t kFixed16FractionMask = kFixed16One - 1;

// 24.8: a whole pixel is 256.
constexpr int kSubpixelShift = 8;
constexpr std::int32_t kSubpixelOne = 1 << kSubpixelShift;
constexpr std::int32_t kSubpixelFractionMask = kSubpixelOne - 1;

inline std::int32_t subpixelWhole(std::int32_t v) { return v >> kSubpixelShift; }
inline std::uint32_t subpixelFraction(std::int32_t v) {
  return static_cast<std::uint32_t>(v) & kSubpixelFractionMask;
}

inline std::int64_t fixed16Whole(std::int64_t v) { return v >> kFixed16Shift; }
inline std::int64_t fixed16Fraction(std::int64_t v) { return v & kFixed16FractionMask; }

// 16.16 -> 24.8 by dropping the lowest eight bits.
inline std::int64_t fixed16ToSubpixel(std::int64_t v) { return v >> (kFixed16Shift - kSubpixelShift); }
// Midpoint of two 16.16 values, straight to 24.8: (a + b) / 2 >> 8 in one shift.
inline std::int64_t fixed16MidpointToSubpixel(std::int64_t a, std::int64_t b) {
  return (a + b) >> (kFixed16Shift - kSubpixelShift + 1);
}

}  // namespace gradoir::fixed
