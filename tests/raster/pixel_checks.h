#pragma once
// Small helpers of the transfer and transformation tests: recognisable
// pixels, the channel formula written out independently, and a per-pixel check.
#include <gtest/gtest.h>

#include <functional>

#include "raster/bitmap32.h"

namespace gradoir::testing {

constexpr TColor32 kSentinel = 0xFF102030;
constexpr TColor32 kWhite = 0xFFFFFFFF;

// A distinct opaque colour per pixel (x in green, y in blue), so misplaced pixels show.
inline TColor32 Marker(std::int32_t x, std::int32_t y) {
  return 0xFF000000u | (static_cast<TColor32>(x) << 8) | static_cast<TColor32>(y);
}
inline bool IsMarkerWithin(TColor32 c, std::int32_t w, std::int32_t h) {
  return static_cast<std::int32_t>((c >> 8) & 255) < w && static_cast<std::int32_t>(c & 255) < h;
}

inline void Sized(TBitmap32& b, std::int32_t w, std::int32_t h, TColor32 fill) {
  b.SetBitmapSize(w, h);
  b.FillAll(fill);
}

inline void FillMarkers(TBitmap32& b, std::int32_t w, std::int32_t h) {
  b.SetBitmapSize(w, h);
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) b.SetPixelAt(x, y, Marker(x, y));
}

// (W * X + (256 - W) * Y + 128) >> 8 on each channel.
inline TColor32 Mix(TColor32 x, TColor32 y, std::uint32_t w) {
  TColor32 r = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t cx = (x >> shift) & 255, cy = (y >> shift) & 255;
    r |= (((w * cx + (256 - w) * cy + 128) >> 8) & 255) << shift;
  }
  return r;
}

// Every pixel of b must equal expected(x, y).
inline void ExpectPixels(const TBitmap32& b, const std::function<TColor32(std::int32_t, std::int32_t)>& expected) {
  for (std::int32_t y = 0; y < b.Height(); ++y)
    for (std::int32_t x = 0; x < b.Width(); ++x) ASSERT_EQ(b.PixelAt(x, y), expected(x, y)) << "at " << x << "," << y;
}

}  // namespace gradoir::testing
