#pragma once
// Small helpers of the transfer and transformation tests: recognisable
// pixels, the channel formula written out independently, and a per-pixel check.
#include <gtest/gtest.h>

#include <functional>

#include "raster/bitmap32.h"

namespace gradoir::testing {

constexpr Color32 kSentinel = 0xFF102030;
constexpr Color32 kWhite = 0xFFFFFFFF;

// A distinct opaque colour per pixel (x in green, y in blue), so misplaced pixels show.
inline Color32 marker(std::int32_t x, std::int32_t y) {
  return 0xFF000000u | (static_cast<Color32>(x) << 8) | static_cast<Color32>(y);
}
inline bool isMarkerWithin(Color32 c, std::int32_t w, std::int32_t h) {
  return static_cast<std::int32_t>((c >> 8) & 255) < w && static_cast<std::int32_t>(c & 255) < h;
}

inline void sized(Bitmap32& b, std::int32_t w, std::int32_t h, Color32 fill) {
  b.setBitmapSize(w, h);
  b.fillAll(fill);
}

inline void fillMarkers(Bitmap32& b, std::int32_t w, std::int32_t h) {
  b.setBitmapSize(w, h);
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) b.setPixelAt(x, y, marker(x, y));
}

// (W * X + (256 - W) * Y + 128) >> 8 on each channel.
inline Color32 mix(Color32 x, Color32 y, std::uint32_t w) {
  Color32 r = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t cx = (x >> shift) & 255, cy = (y >> shift) & 255;
    r |= (((w * cx + (256 - w) * cy + 128) >> 8) & 255) << shift;
  }
  return r;
}

// Every pixel of b must equal expected(x, y).
inline void expectPixels(const Bitmap32& b, const std::function<Color32(std::int32_t, std::int32_t)>& expected) {
  for (std::int32_t y = 0; y < b.height(); ++y)
    for (std::int32_t x = 0; x < b.width(); ++x) ASSERT_EQ(b.pixelAt(x, y), expected(x, y)) << "at " << x << "," << y;
}

}  // namespace gradoir::testing
