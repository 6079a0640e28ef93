#include "raster/affine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "raster/bilinear.h"
#include "raster/blend.h"
#include "raster/blend_guard.h"
#include "raster/fixed_point.h"
#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {
namespace {

// 20.12 fixed point of the inverse coefficients.
constexpr int kInverseShift = 12;
constexpr long double kInverseOne = 1 << kInverseShift;  // 4096
std::int32_t ToFixed20_12(float v) { return roundHalfEven(static_cast<long double>(v) * kInverseOne); }

// Rounding biases: 2047 (not 2048) makes an exact half go to the lower pixel;
// 20.12 -> 24.8 drops four bits, rounding with 7.
constexpr int kPixelBias = (1 << (kInverseShift - 1)) - 1;
constexpr int kToSubpixelShift = kInverseShift - fixed::kSubpixelShift;
constexpr int kSubpixelBias = (1 << (kToSubpixelShift - 1)) - 1;

// Determinants below this are treated as singular.
constexpr long double kSingularDeterminant = 1e-5L;

using Matrix3 = float[3][3];

void setIdentity(Matrix3& m) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] = (i == j) ? 1.0f : 0.0f;
}

// a*d - b*c in extended precision.
long double det2(long double a, long double b, long double c, long double d) { return a * d - b * c; }

long double det3(const Matrix3& m) {
  return m[0][0] * det2(m[1][1], m[2][1], m[1][2], m[2][2]) - m[1][0] * det2(m[0][1], m[2][1], m[0][2], m[2][2]) +
         m[2][0] * det2(m[0][1], m[1][1], m[0][2], m[1][2]);
}

// Adjugate (transposed cofactors), each element stored as a float.
void adjugate(const Matrix3& m, Matrix3& adj) {
  adj[0][0] = static_cast<float>(det2(m[1][1], m[1][2], m[2][1], m[2][2]));
  adj[0][1] = static_cast<float>(-det2(m[0][1], m[0][2], m[2][1], m[2][2]));
  adj[0][2] = static_cast<float>(det2(m[0][1], m[0][2], m[1][1], m[1][2]));
  adj[1][0] = static_cast<float>(-det2(m[1][0], m[1][2], m[2][0], m[2][2]));
  adj[1][1] = static_cast<float>(det2(m[0][0], m[0][2], m[2][0], m[2][2]));
  adj[1][2] = static_cast<float>(-det2(m[0][0], m[0][2], m[1][0], m[1][2]));
  adj[2][0] = static_cast<float>(det2(m[1][0], m[1][1], m[2][0], m[2][1]));
  adj[2][1] = static_cast<float>(-det2(m[0][0], m[0][1], m[2][0], m[2][1]));
  adj[2][2] = static_cast<float>(det2(m[0][0], m[0][1], m[1][0], m[1][1]));
}

// x*a + y*b + c + bias without overflow: each 64-bit product is at most 2^62
// in magnitude, and the sum saturates, so any int32 position and coefficient
// give a defined result. Equal to the 32-bit sum whenever that one fits.
std::int64_t inverseSum(std::int32_t x, std::int32_t y, std::int32_t a, std::int32_t b, std::int32_t c,
                        std::int32_t bias) {
  const std::int64_t px = std::int64_t{x} * a;
  const std::int64_t py = std::int64_t{y} * b;
  const std::int64_t rest = std::int64_t{c} + bias;
  std::int64_t sum = 0;
  if (__builtin_add_overflow(px, py, &sum) || __builtin_add_overflow(sum, rest, &sum)) {
    return px > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
  }
  return sum;
}

std::int32_t saturateToInt32(std::int64_t v) {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

struct WidePoint {
  std::int64_t x;
  std::int64_t y;
};

WidePoint mapBackPixelWide(const AffineTransform& t, std::int32_t x, std::int32_t y) {
  return {inverseSum(x, y, t.fixA, t.fixB, t.fixC, kPixelBias) >> kInverseShift,
          inverseSum(x, y, t.fixD, t.fixE, t.fixF, kPixelBias) >> kInverseShift};
}

WidePoint mapBackSubpixelWide(const AffineTransform& t, std::int32_t x, std::int32_t y) {
  return {inverseSum(x, y, t.fixA, t.fixB, t.fixC, kSubpixelBias) >> kToSubpixelShift,
          inverseSum(x, y, t.fixD, t.fixE, t.fixF, kSubpixelBias) >> kToSubpixelShift};
}

bool insideInclusive(const Rect& r, std::int64_t x, std::int64_t y) {
  return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}

// Where a transformed colour goes: the source bitmap's mode, master alpha
// and handler (never the destination's).
struct PixelSink {
  DrawMode mode;
  std::uint32_t masterAlpha;
  const PixelCombiner& handler;

  void combine(Color32 c, Color32& pixel) const {
    switch (mode) {
      case DrawMode::Opaque:
        pixel = c;
        break;
      case DrawMode::Blend:
        blendOverScaledInto(c, pixel, masterAlpha);
        break;
      case DrawMode::Custom:
        handler(c, pixel, masterAlpha);
        break;
    }
  }
};

// The inverse-mapped 20.12 position of a destination pixel, stepped along a
// row. Destination pixels are non-negative 32-bit indices, so the 64-bit
// sums stay exact and equal inverseSum at every pixel.
struct RowMapping {
  std::int64_t x;
  std::int64_t y;

  RowMapping(const AffineTransform& t, std::int32_t dstX, std::int32_t dstY)
      : x(inverseSum(dstX, dstY, t.fixA, t.fixB, t.fixC, 0)), y(inverseSum(dstX, dstY, t.fixD, t.fixE, t.fixF, 0)) {}
  void step(const AffineTransform& t) {
    x += t.fixA;
    y += t.fixD;
  }
};

// Walks the inclusive destination area: each pixel whose nearest source
// pixel lies in the clip takes that pixel.
void drawNearest(Bitmap32& dst, const Rect& area, const Bitmap32& src, const Rect& clip,
                 const AffineTransform& t, const PixelSink& sink) {
  for (std::int32_t y = area.top; y <= area.bottom; ++y) {
    Color32* row = dst.rowStart(y);
    RowMapping m(t, area.left, y);
    for (std::int32_t x = area.left; x <= area.right; ++x, m.step(t)) {
      const std::int64_t sx = (m.x + kPixelBias) >> kInverseShift;
      const std::int64_t sy = (m.y + kPixelBias) >> kInverseShift;
      if (insideInclusive(clip, sx, sy)) {
        sink.combine(src.pixelAt(static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy)), row[x]);
      }
    }
  }
}

// The steps k >= 0 along a row for which start + k * step lies in
// [low, high), as reals; empty (first > last) when none does.
struct StepRange {
  double first;
  double last;
};
StepRange stepsWithin(std::int64_t start, std::int64_t step, std::int64_t low, std::int64_t high) {
  if (step == 0) {
    if (low <= start && start < high) return {0, std::numeric_limits<double>::infinity()};
    return {1, 0};
  }
  const double a = static_cast<double>(low - start) / static_cast<double>(step);
  const double b = static_cast<double>(high - start) / static_cast<double>(step);
  return {std::min(a, b), std::max(a, b)};
}

// The columns of the area's row y whose bilinear sample can reach the clip.
// The mapping is linear along a row, so every column outside them misses
// the clip: a turned label's bounding box is mostly such corners, which are
// skipped instead of sampled. A pixel of margin on each side absorbs the
// reals' rounding; each column kept is still tested by its own sample.
// False when the whole row misses.
bool reachableColumns(const AffineTransform& t, const Rect& area, const Rect& clip, std::int32_t y,
                      std::int32_t& first, std::int32_t& last) {
  // sampleBilinear takes whole source pixels ((v + 7) >> 12 of the 20.12
  // position) from one before the clip's left (top) edge up to its last
  // column (row), excluded.
  constexpr std::int64_t kOne = std::int64_t{1} << kInverseShift;
  const auto low = [](std::int32_t edge) { return (std::int64_t{edge} - 1) * kOne - kSubpixelBias; };
  const auto high = [](std::int32_t edge) { return std::int64_t{edge} * kOne - kSubpixelBias; };
  const RowMapping start(t, area.left, y);
  const StepRange xs = stepsWithin(start.x, t.fixA, low(clip.left), high(clip.right));
  const StepRange ys = stepsWithin(start.y, t.fixD, low(clip.top), high(clip.bottom));
  const double from = std::max({xs.first, ys.first, 0.0});
  const double to = std::min({xs.last, ys.last, static_cast<double>(area.right - area.left)});
  if (from > to + 2) return false;
  first = static_cast<std::int32_t>(std::max<double>(area.left, area.left + std::floor(from) - 1));
  last = static_cast<std::int32_t>(std::min<double>(area.right, area.left + std::ceil(to) + 1));
  return first <= last;
}

// The whole source pixel of a 20.12 position, as sampleBilinear takes it.
std::int64_t samplePixel(std::int64_t v) { return ((v + kSubpixelBias) >> kToSubpixelShift) >> fixed::kSubpixelShift; }

// Within [first, last], the columns of row y whose samples have all four
// pixels strictly inside the clip, where sampleBilinear reads them
// directly. Found with reals, then trimmed until both ends pass the exact
// test: the test is linear along the row, so every column between passes.
// False when there are none.
bool innerColumns(const AffineTransform& t, const Rect& clip, std::int32_t y, std::int32_t first, std::int32_t last,
                  std::int32_t& from, std::int32_t& to) {
  constexpr std::int64_t kOne = std::int64_t{1} << kInverseShift;
  const auto inside = [&](std::int32_t x) {
    const RowMapping m(t, x, y);
    const std::int64_t ix = samplePixel(m.x), iy = samplePixel(m.y);
    return clip.left < ix && ix < clip.right - 1 && clip.top < iy && iy < clip.bottom - 1;
  };
  const RowMapping start(t, first, y);
  const StepRange xs = stepsWithin(start.x, t.fixA, (std::int64_t{clip.left} + 1) * kOne - kSubpixelBias,
                                   (std::int64_t{clip.right} - 1) * kOne - kSubpixelBias);
  const StepRange ys = stepsWithin(start.y, t.fixD, (std::int64_t{clip.top} + 1) * kOne - kSubpixelBias,
                                   (std::int64_t{clip.bottom} - 1) * kOne - kSubpixelBias);
  const double a = std::max({xs.first, ys.first, 0.0});
  const double b = std::min({xs.last, ys.last, static_cast<double>(last - first)});
  if (a > b + 2) return false;
  from = static_cast<std::int32_t>(std::max<double>(first, first + std::ceil(a)));
  to = static_cast<std::int32_t>(std::min<double>(last, first + std::floor(b)));
  // A few steps at most: the reals are off by far less than a pixel.
  while (from <= to && !inside(from)) ++from;
  while (from <= to && !inside(to)) --to;
  return from <= to;
}

// Samples of columns first..last of row y, each tested against the clip.
void sampleColumns(Color32* row, const Bitmap32& src, const Rect& clip, const AffineTransform& t, std::int32_t y,
                   std::int32_t first, std::int32_t last, const PixelSink& sink) {
  RowMapping m(t, first, y);
  for (std::int32_t x = first; x <= last; ++x, m.step(t)) {
    const std::optional<Color32> c = sampleBilinear(src, clip, (m.x + kSubpixelBias) >> kToSubpixelShift,
                                                     (m.y + kSubpixelBias) >> kToSubpixelShift);
    if (c) sink.combine(*c, row[x]);
  }
}

// Walks the inclusive destination area with bilinear samples at 24.8 positions.
void drawBilinear(Bitmap32& dst, const Rect& area, const Bitmap32& src, const Rect& clip,
                  const AffineTransform& t, const PixelSink& sink) {
  for (std::int32_t y = area.top; y <= area.bottom; ++y) {
    std::int32_t first = 0, last = -1;
    if (!reachableColumns(t, area, clip, y, first, last)) continue;
    Color32* row = dst.rowStart(y);
    std::int32_t from = 0, to = -1;
    if (!innerColumns(t, clip, y, first, last, from, to)) {
      sampleColumns(row, src, clip, t, y, first, last, sink);
      continue;
    }
    sampleColumns(row, src, clip, t, y, first, from - 1, sink);
    // The same samples as sampleBilinear's, without its tests.
    RowMapping m(t, from, y);
    for (std::int32_t x = from; x <= to; ++x, m.step(t)) {
      const std::int64_t fx = (m.x + kSubpixelBias) >> kToSubpixelShift;
      const std::int64_t fy = (m.y + kSubpixelBias) >> kToSubpixelShift;
      const auto ix = static_cast<std::int32_t>(fx >> fixed::kSubpixelShift);
      const auto iy = static_cast<std::int32_t>(fy >> fixed::kSubpixelShift);
      const Color32* upper = src.rowStart(iy) + ix;
      const Color32* lower = src.rowStart(iy + 1) + ix;
      const auto wx = 255 - static_cast<std::uint32_t>(fx & fixed::kSubpixelFractionMask);
      const auto wy = 255 - static_cast<std::uint32_t>(fy & fixed::kSubpixelFractionMask);
      sink.combine(mixBilinear(upper[0], upper[1], lower[0], lower[1], wx, wy), row[x]);
    }
    sampleColumns(row, src, clip, t, y, to + 1, last, sink);
  }
}

}  // namespace

void Transformation::setSourceRect(const RectF& r) {
  m_sourceRect = r;
  m_prepared = false;
}

AffineTransform::AffineTransform() { resetMatrix(); }

void AffineTransform::resetMatrix() {
  setIdentity(matrix);
  m_prepared = false;
}

// new = T x old: T acts after the mapping built so far.
void AffineTransform::compose(const float t[3][3]) {
  Matrix3 result;
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) {
      const long double sum = static_cast<long double>(t[0][i]) * matrix[j][0] +
                              static_cast<long double>(t[1][i]) * matrix[j][1] +
                              static_cast<long double>(t[2][i]) * matrix[j][2];
      result[j][i] = static_cast<float>(sum);
    }
  }
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) matrix[j][i] = result[j][i];
  m_prepared = false;
}

void AffineTransform::shift(float dx, float dy) {
  Matrix3 t;
  setIdentity(t);
  t[2][0] = dx;
  t[2][1] = dy;
  compose(t);
}

void AffineTransform::rotateAbout(float cx, float cy, float alphaDegrees) {
  const bool aboutOrigin = (cx == 0 && cy == 0);
  if (!aboutOrigin) shift(-cx, -cy);
  const auto a = static_cast<float>(static_cast<long double>(alphaDegrees) * std::numbers::pi_v<long double> / 180);
  const auto s = static_cast<float>(std::sin(static_cast<long double>(a)));
  const auto c = static_cast<float>(std::cos(static_cast<long double>(a)));
  Matrix3 t;
  setIdentity(t);
  t[0][0] = c;
  t[0][1] = -s;
  t[1][0] = s;
  t[1][1] = c;
  compose(t);
  if (!aboutOrigin) shift(cx, cy);
}

void AffineTransform::prepareInverse() {
  Matrix3 inv;
  const auto det = static_cast<float>(det3(matrix));
  if (std::fabs(static_cast<long double>(det)) < kSingularDeterminant) {
    setIdentity(inv);
  } else {
    Matrix3 adj;
    adjugate(matrix, adj);
    const auto scale = static_cast<float>(1.0L / det);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) inv[i][j] = static_cast<float>(static_cast<long double>(adj[i][j]) * scale);
  }
  fixA = ToFixed20_12(inv[0][0]);
  fixB = ToFixed20_12(inv[1][0]);
  fixC = ToFixed20_12(inv[2][0]);
  fixD = ToFixed20_12(inv[0][1]);
  fixE = ToFixed20_12(inv[1][1]);
  fixF = ToFixed20_12(inv[2][1]);
  m_prepared = true;
}

void AffineTransform::mapBackToPixel(std::int32_t x, std::int32_t y, std::int32_t& srcX,
                                           std::int32_t& srcY) const {
  const WidePoint p = mapBackPixelWide(*this, x, y);
  srcX = saturateToInt32(p.x);
  srcY = saturateToInt32(p.y);
}

void AffineTransform::mapBackToSubpixel(std::int32_t x, std::int32_t y, std::int32_t& srcX,
                                              std::int32_t& srcY) const {
  const WidePoint p = mapBackSubpixelWide(*this, x, y);
  srcX = saturateToInt32(p.x);
  srcY = saturateToInt32(p.y);
}

Rect AffineTransform::transformedBounds() const {
  const RectF& r = m_sourceRect;
  const float xs[4] = {r.left, r.right, r.left, r.right};
  const float ys[4] = {r.top, r.top, r.bottom, r.bottom};
  float minX = 0, maxX = 0, minY = 0, maxY = 0;
  for (int k = 0; k < 4; ++k) {
    const auto x = static_cast<float>(static_cast<long double>(matrix[0][0]) * xs[k] +
                                      static_cast<long double>(matrix[1][0]) * ys[k] + matrix[2][0]);
    const auto y = static_cast<float>(static_cast<long double>(matrix[0][1]) * xs[k] +
                                      static_cast<long double>(matrix[1][1]) * ys[k] + matrix[2][1]);
    if (k == 0 || x < minX) minX = x;
    if (k == 0 || x > maxX) maxX = x;
    if (k == 0 || y < minY) minY = y;
    if (k == 0 || y > maxY) maxY = y;
  }
  return {roundHalfEven(static_cast<long double>(minX) - 0.5L), roundHalfEven(static_cast<long double>(minY) - 0.5L),
          roundHalfEven(static_cast<long double>(maxX) + 0.5L), roundHalfEven(static_cast<long double>(maxY) + 0.5L)};
}

void transformBitmap(Bitmap32& dst, Bitmap32& src, AffineTransform& t) {
  // An empty source has nothing to sample: reading it would leave the bitmap.
  if (src.isEmpty()) return;
  if (!t.prepared()) t.prepareInverse();

  PixelSink sink{src.drawMode(), src.masterAlpha(), src.pixelCombiner};
  if (sink.mode == DrawMode::Custom && !sink.handler) sink.mode = DrawMode::Opaque;

  // Both rectangles below hold inclusive pixel indices. A source rectangle
  // that misses the bitmap leaves nothing to draw (the intersection would
  // otherwise come back as the single pixel (0, 0)).
  Rect clip;
  if (!intersectRects(clip, roundRealRect(t.sourceRect()), rectOf(0, 0, src.width() - 1, src.height() - 1))) return;
  Rect area;
  intersectRects(area, t.transformedBounds(), rectOf(0, 0, dst.width() - 1, dst.height() - 1));
  if (rectIsEmpty(area)) return;

  {
    BlendStateGuard blendState;
    if (src.stretchFilter() == StretchFilter::Nearest) {
      drawNearest(dst, area, src, clip, t, sink);
    } else {
      drawBilinear(dst, area, src, clip, t, sink);
    }
  }
  dst.notifyChanged();
}

}  // namespace gradoir
