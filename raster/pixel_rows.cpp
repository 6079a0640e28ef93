#include "raster/pixel_rows.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gradoir {
namespace {

constexpr Color32 kOpaqueWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kByteMask = 0xFFu;

bool allBytesEqual(Color32 c) {
  const std::uint32_t b = c & kByteMask;
  return c == b * 0x01010101u;
}

}  // namespace

// memset when the four bytes agree (white and black do), several times
// faster than a word-by-word fill: the angle's redraw clears a whole frame.
void fillPixels(Color32* pixel, std::size_t count, Color32 color) {
  if (allBytesEqual(color)) {
    std::memset(pixel, static_cast<int>(color & kByteMask), count * sizeof(Color32));
    return;
  }
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i v = _mm_set1_epi32(static_cast<int>(color));
  for (; i + 4 <= count; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(pixel + i), v);
#endif
  for (; i < count; ++i) pixel[i] = color;
}

namespace {

// Whether pixel[0..4) all equal color.
bool fourEqual(const Color32* pixel, Color32 color) {
#if defined(__SSE2__)
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixel));
  return _mm_movemask_epi8(_mm_cmpeq_epi32(v, _mm_set1_epi32(static_cast<int>(color)))) == 0xFFFF;
#else
  return pixel[0] == color && pixel[1] == color && pixel[2] == color && pixel[3] == color;
#endif
}

}  // namespace

bool fillChangedSpan(Color32* pixel, std::int32_t count, Color32 color, std::int32_t& first, std::int32_t& last) {
  std::int32_t i = 0;
  while (i + 4 <= count && fourEqual(pixel + i, color)) i += 4;
  while (i < count && pixel[i] == color) ++i;
  if (i == count) return false;
  std::int32_t j = count;
  while (j - 4 > i && fourEqual(pixel + j - 4, color)) j -= 4;
  while (pixel[j - 1] == color) --j;
  fillPixels(pixel + i, static_cast<std::size_t>(j - i), color);
  first = i;
  last = j - 1;
  return true;
}

// Four pixels at a time, without a branch per pixel: the protractor layer's
// edges made the per-pixel test mispredict often.
void copyUnlessOpaqueWhite(const Color32* src, Color32* dst, std::int32_t count) {
  std::int32_t i = 0;
#if defined(__SSE2__)
  const __m128i white = _mm_set1_epi32(-1);
  for (; i + 4 <= count; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    const __m128i keep = _mm_cmpeq_epi32(s, white);  // all ones where src is white
    const __m128i mixed = _mm_or_si128(_mm_and_si128(keep, d), _mm_andnot_si128(keep, s));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), mixed);
  }
#endif
  for (; i < count; ++i) {
    if (src[i] != kOpaqueWhite) dst[i] = src[i];
  }
}

}  // namespace gradoir
