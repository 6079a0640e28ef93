#include "raster/affine.h"

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
std::int32_t ToFixed20_12(float v) { return RoundHalfEven(static_cast<long double>(v) * kInverseOne); }

// Rounding biases: 2047 (not 2048) makes an exact half go to the lower pixel;
// 20.12 -> 24.8 drops four bits, rounding with 7.
constexpr int kPixelBias = (1 << (kInverseShift - 1)) - 1;
constexpr int kToSubpixelShift = kInverseShift - fixed::kSubpixelShift;
constexpr int kSubpixelBias = (1 << (kToSubpixelShift - 1)) - 1;

// Determinants below this are treated as singular.
constexpr long double kSingularDeterminant = 1e-5L;

using TMatrix = float[3][3];

void SetIdentity(TMatrix& m) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] = (i == j) ? 1.0f : 0.0f;
}

// a*d - b*c in extended precision.
long double Det2(long double a, long double b, long double c, long double d) { return a * d - b * c; }

long double Det3(const TMatrix& m) {
  return m[0][0] * Det2(m[1][1], m[2][1], m[1][2], m[2][2]) - m[1][0] * Det2(m[0][1], m[2][1], m[0][2], m[2][2]) +
         m[2][0] * Det2(m[0][1], m[1][1], m[0][2], m[1][2]);
}

// Adjugate (transposed cofactors), each element stored as a float.
void Adjugate(const TMatrix& m, TMatrix& adj) {
  adj[0][0] = static_cast<float>(Det2(m[1][1], m[1][2], m[2][1], m[2][2]));
  adj[0][1] = static_cast<float>(-Det2(m[0][1], m[0][2], m[2][1], m[2][2]));
  adj[0][2] = static_cast<float>(Det2(m[0][1], m[0][2], m[1][1], m[1][2]));
  adj[1][0] = static_cast<float>(-Det2(m[1][0], m[1][2], m[2][0], m[2][2]));
  adj[1][1] = static_cast<float>(Det2(m[0][0], m[0][2], m[2][0], m[2][2]));
  adj[1][2] = static_cast<float>(-Det2(m[0][0], m[0][2], m[1][0], m[1][2]));
  adj[2][0] = static_cast<float>(Det2(m[1][0], m[1][1], m[2][0], m[2][1]));
  adj[2][1] = static_cast<float>(-Det2(m[0][0], m[0][1], m[2][0], m[2][1]));
  adj[2][2] = static_cast<float>(Det2(m[0][0], m[0][1], m[1][0], m[1][1]));
}

// x*a + y*b + c + bias without overflow: each 64-bit product is at most 2^62
// in magnitude, and the sum saturates, so any int32 position and coefficient
// give a defined result. Equal to the 32-bit sum whenever that one fits.
std::int64_t InverseSum(std::int32_t x, std::int32_t y, std::int32_t a, std::int32_t b, std::int32_t c,
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

std::int32_t SaturateToInt32(std::int64_t v) {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

struct TWidePoint {
  std::int64_t x;
  std::int64_t y;
};

TWidePoint MapBackPixelWide(const TAffineTransformation& t, std::int32_t x, std::int32_t y) {
  return {InverseSum(x, y, t.FixA, t.FixB, t.FixC, kPixelBias) >> kInverseShift,
          InverseSum(x, y, t.FixD, t.FixE, t.FixF, kPixelBias) >> kInverseShift};
}

TWidePoint MapBackSubpixelWide(const TAffineTransformation& t, std::int32_t x, std::int32_t y) {
  return {InverseSum(x, y, t.FixA, t.FixB, t.FixC, kSubpixelBias) >> kToSubpixelShift,
          InverseSum(x, y, t.FixD, t.FixE, t.FixF, kSubpixelBias) >> kToSubpixelShift};
}

bool InsideInclusive(const TRect& r, std::int64_t x, std::int64_t y) {
  return r.Left <= x && x <= r.Right && r.Top <= y && y <= r.Bottom;
}

// Where a transformed colour goes: the source bitmap's mode, master alpha
// and handler (never the destination's).
struct TPixelSink {
  TDrawMode mode;
  std::uint32_t master_alpha;
  const TPixelCombineEvent& handler;

  void Combine(TColor32 c, TColor32& pixel) const {
    switch (mode) {
      case dmOpaque:
        pixel = c;
        break;
      case dmBlend:
        BlendOverScaledInto(c, pixel, master_alpha);
        break;
      case dmCustom:
        handler(c, pixel, master_alpha);
        break;
    }
  }
};

// The inverse-mapped 20.12 position of a destination pixel, stepped along a
// row. Destination pixels are non-negative 32-bit indices, so the 64-bit
// sums stay exact and equal InverseSum at every pixel.
struct TRowMapping {
  std::int64_t x;
  std::int64_t y;

  TRowMapping(const TAffineTransformation& t, std::int32_t dst_x, std::int32_t dst_y)
      : x(InverseSum(dst_x, dst_y, t.FixA, t.FixB, t.FixC, 0)), y(InverseSum(dst_x, dst_y, t.FixD, t.FixE, t.FixF, 0)) {}
  void Step(const TAffineTransformation& t) {
    x += t.FixA;
    y += t.FixD;
  }
};

// Walks the inclusive destination area: each pixel whose nearest source
// pixel lies in the clip takes that pixel.
void DrawNearest(TBitmap32& dst, const TRect& area, const TBitmap32& src, const TRect& clip,
                 const TAffineTransformation& t, const TPixelSink& sink) {
  for (std::int32_t y = area.Top; y <= area.Bottom; ++y) {
    TColor32* row = dst.RowStart(y);
    TRowMapping m(t, area.Left, y);
    for (std::int32_t x = area.Left; x <= area.Right; ++x, m.Step(t)) {
      const std::int64_t sx = (m.x + kPixelBias) >> kInverseShift;
      const std::int64_t sy = (m.y + kPixelBias) >> kInverseShift;
      if (InsideInclusive(clip, sx, sy)) {
        sink.Combine(src.PixelAt(static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy)), row[x]);
      }
    }
  }
}

// Walks the inclusive destination area with bilinear samples at 24.8 positions.
void DrawBilinear(TBitmap32& dst, const TRect& area, const TBitmap32& src, const TRect& clip,
                  const TAffineTransformation& t, const TPixelSink& sink) {
  for (std::int32_t y = area.Top; y <= area.Bottom; ++y) {
    TColor32* row = dst.RowStart(y);
    TRowMapping m(t, area.Left, y);
    for (std::int32_t x = area.Left; x <= area.Right; ++x, m.Step(t)) {
      const std::optional<TColor32> c = SampleBilinear(src, clip, (m.x + kSubpixelBias) >> kToSubpixelShift,
                                                       (m.y + kSubpixelBias) >> kToSubpixelShift);
      if (c) sink.Combine(*c, row[x]);
    }
  }
}

}  // namespace

void TTransformation::SetSourceRect(const TRealRect& r) {
  source_rect_ = r;
  prepared_ = false;
}

TAffineTransformation::TAffineTransformation() { ResetMatrix(); }

void TAffineTransformation::ResetMatrix() {
  SetIdentity(Matrix);
  prepared_ = false;
}

// new = T x old: T acts after the mapping built so far.
void TAffineTransformation::Compose(const float t[3][3]) {
  TMatrix result;
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) {
      const long double sum = static_cast<long double>(t[0][i]) * Matrix[j][0] +
                              static_cast<long double>(t[1][i]) * Matrix[j][1] +
                              static_cast<long double>(t[2][i]) * Matrix[j][2];
      result[j][i] = static_cast<float>(sum);
    }
  }
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) Matrix[j][i] = result[j][i];
  prepared_ = false;
}

void TAffineTransformation::Shift(float dx, float dy) {
  TMatrix t;
  SetIdentity(t);
  t[2][0] = dx;
  t[2][1] = dy;
  Compose(t);
}

void TAffineTransformation::RotateAbout(float cx, float cy, float alpha_degrees) {
  const bool about_origin = (cx == 0 && cy == 0);
  if (!about_origin) Shift(-cx, -cy);
  const auto a = static_cast<float>(static_cast<long double>(alpha_degrees) * std::numbers::pi_v<long double> / 180);
  const auto s = static_cast<float>(std::sin(static_cast<long double>(a)));
  const auto c = static_cast<float>(std::cos(static_cast<long double>(a)));
  TMatrix t;
  SetIdentity(t);
  t[0][0] = c;
  t[0][1] = -s;
  t[1][0] = s;
  t[1][1] = c;
  Compose(t);
  if (!about_origin) Shift(cx, cy);
}

void TAffineTransformation::PrepareInverse() {
  TMatrix inv;
  const auto det = static_cast<float>(Det3(Matrix));
  if (std::fabs(static_cast<long double>(det)) < kSingularDeterminant) {
    SetIdentity(inv);
  } else {
    TMatrix adj;
    Adjugate(Matrix, adj);
    const auto scale = static_cast<float>(1.0L / det);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) inv[i][j] = static_cast<float>(static_cast<long double>(adj[i][j]) * scale);
  }
  FixA = ToFixed20_12(inv[0][0]);
  FixB = ToFixed20_12(inv[1][0]);
  FixC = ToFixed20_12(inv[2][0]);
  FixD = ToFixed20_12(inv[0][1]);
  FixE = ToFixed20_12(inv[1][1]);
  FixF = ToFixed20_12(inv[2][1]);
  prepared_ = true;
}

void TAffineTransformation::MapBackToPixel(std::int32_t x, std::int32_t y, std::int32_t& src_x,
                                           std::int32_t& src_y) const {
  const TWidePoint p = MapBackPixelWide(*this, x, y);
  src_x = SaturateToInt32(p.x);
  src_y = SaturateToInt32(p.y);
}

void TAffineTransformation::MapBackToSubpixel(std::int32_t x, std::int32_t y, std::int32_t& src_x,
                                              std::int32_t& src_y) const {
  const TWidePoint p = MapBackSubpixelWide(*this, x, y);
  src_x = SaturateToInt32(p.x);
  src_y = SaturateToInt32(p.y);
}

TRect TAffineTransformation::TransformedBounds() const {
  const TRealRect& r = source_rect_;
  const float xs[4] = {r.Left, r.Right, r.Left, r.Right};
  const float ys[4] = {r.Top, r.Top, r.Bottom, r.Bottom};
  float min_x = 0, max_x = 0, min_y = 0, max_y = 0;
  for (int k = 0; k < 4; ++k) {
    const auto x = static_cast<float>(static_cast<long double>(Matrix[0][0]) * xs[k] +
                                      static_cast<long double>(Matrix[1][0]) * ys[k] + Matrix[2][0]);
    const auto y = static_cast<float>(static_cast<long double>(Matrix[0][1]) * xs[k] +
                                      static_cast<long double>(Matrix[1][1]) * ys[k] + Matrix[2][1]);
    if (k == 0 || x < min_x) min_x = x;
    if (k == 0 || x > max_x) max_x = x;
    if (k == 0 || y < min_y) min_y = y;
    if (k == 0 || y > max_y) max_y = y;
  }
  return {RoundHalfEven(static_cast<long double>(min_x) - 0.5L), RoundHalfEven(static_cast<long double>(min_y) - 0.5L),
          RoundHalfEven(static_cast<long double>(max_x) + 0.5L), RoundHalfEven(static_cast<long double>(max_y) + 0.5L)};
}

void TransformBitmap(TBitmap32& dst, TBitmap32& src, TAffineTransformation& t) {
  // An empty source has nothing to sample: reading it would leave the bitmap.
  if (src.IsEmpty()) return;
  if (!t.Prepared()) t.PrepareInverse();

  TPixelSink sink{src.DrawMode(), src.MasterAlpha(), src.OnPixelCombine};
  if (sink.mode == dmCustom && !sink.handler) sink.mode = dmOpaque;

  // Both rectangles below hold inclusive pixel indices. A source rectangle
  // that misses the bitmap leaves nothing to draw (the intersection would
  // otherwise come back as the single pixel (0, 0)).
  TRect clip;
  if (!IntersectRects(clip, RoundRealRect(t.SourceRect()), RectOf(0, 0, src.Width() - 1, src.Height() - 1))) return;
  TRect area;
  IntersectRects(area, t.TransformedBounds(), RectOf(0, 0, dst.Width() - 1, dst.Height() - 1));
  if (RectIsEmpty(area)) return;

  {
    TBlendStateGuard blend_state;
    if (src.StretchFilter() == sfNearest) {
      DrawNearest(dst, area, src, clip, t, sink);
    } else {
      DrawBilinear(dst, area, src, clip, t, sink);
    }
  }
  dst.NotifyChanged();
}

}  // namespace gradoir
