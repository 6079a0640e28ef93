#include "raster/opacity_scan.h"

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gradoir {
namespace {

constexpr std::uint32_t kAlphaShift = 24;
constexpr std::uint32_t kOpaqueAlpha = 255;
// Pixels checked together: the AND of a group keeps alpha 255 only when
// every pixel of it has. 32 pixels (eight 16-byte loads) per test keep the
// scan of a 1920 x 1080 buffer well below the cost of copying it.
constexpr std::int32_t kGroup = 32;

bool opaque(Color32 c) { return (c >> kAlphaShift) == kOpaqueAlpha; }

// AND of pixel[0..kGroup).
Color32 groupAnd(const Color32* pixel) {
#if defined(__SSE2__)
  __m128i v = _mm_set1_epi32(-1);
  for (std::int32_t i = 0; i < kGroup; i += 4) {
    v = _mm_and_si128(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixel + i)));
  }
  v = _mm_and_si128(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)));
  v = _mm_and_si128(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 3, 0, 1)));
  return static_cast<Color32>(_mm_cvtsi128_si32(v));
#else
  Color32 all = 0xFFFFFFFFu;
  for (std::int32_t i = 0; i < kGroup; ++i) all &= pixel[i];
  return all;
#endif
}

// First index in [begin, end) of a pixel that is not opaque, or end. Whole
// groups are skipped while opaque, so an opaque row costs about one read.
std::int32_t firstTranslucent(const Color32* row, std::int32_t begin, std::int32_t end) {
  std::int32_t i = begin;
  while (i + kGroup <= end && opaque(groupAnd(row + i))) i += kGroup;
  while (i < end && opaque(row[i])) ++i;
  return i;
}

// Last index in [begin, end) of a pixel that is not opaque, or begin - 1.
std::int32_t lastTranslucent(const Color32* row, std::int32_t begin, std::int32_t end) {
  std::int32_t i = end;
  while (i - kGroup >= begin && opaque(groupAnd(row + i - kGroup))) i -= kGroup;
  while (i > begin && opaque(row[i - 1])) --i;
  return i - 1;
}

}  // namespace

bool translucentBounds(const Bitmap32& bitmap, const Rect& area, Rect& bounds) {
  bool found = false;
  Rect r{};
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    const Color32* row = bitmap.rowStart(y);
    const std::int32_t first = firstTranslucent(row, area.left, area.right);
    if (first == area.right) continue;
    const std::int32_t last = lastTranslucent(row, first, area.right);
    if (!found) {
      r = Rect{first, y, last + 1, y + 1};
      found = true;
    } else {
      r = Rect{std::min(r.left, first), r.top, std::max(r.right, last + 1), y + 1};
    }
  }
  if (found) bounds = r;
  return found;
}

}  // namespace gradoir
