#pragma once
// Affine transformation (rotations about a point and translations) and
// drawing of a bitmap through it with nearest or bilinear sampling.
#include <cstdint>

#include "raster/bitmap32.h"

namespace gradoir {

class Transformation {
 public:
  virtual ~Transformation() = default;
  RectF sourceRect() const { return m_sourceRect; }
  void setSourceRect(const RectF& r);
  bool prepared() const { return m_prepared; }

  virtual void mapBackToPixel(std::int32_t x, std::int32_t y, std::int32_t& srcX, std::int32_t& srcY) const = 0;
  virtual void mapBackToSubpixel(std::int32_t x, std::int32_t y, std::int32_t& srcX, std::int32_t& srcY) const = 0;  // 24.8
  virtual void prepareInverse() = 0;
  virtual Rect transformedBounds() const = 0;

 protected:
  RectF m_sourceRect{};
  bool m_prepared = false;
};

class AffineTransform : public Transformation {
 public:
  AffineTransform();
  void resetMatrix();
  void rotateAbout(float cx, float cy, float alphaDegrees);
  void shift(float dx, float dy);

  void mapBackToPixel(std::int32_t x, std::int32_t y, std::int32_t& srcX, std::int32_t& srcY) const override;
  void mapBackToSubpixel(std::int32_t x, std::int32_t y, std::int32_t& srcX, std::int32_t& srcY) const override;
  void prepareInverse() override;
  Rect transformedBounds() const override;

  // Matrix[i][j]: i selects the input (x, y, 1), j the output component.
  float matrix[3][3];
  // Inverse mapping in 20.12 fixed point, valid while Prepared().
  std::int32_t fixA = 0, fixB = 0, fixC = 0, fixD = 0, fixE = 0, fixF = 0;

 private:
  void compose(const float t[3][3]);
};

// Draws src through t into dst by src's drawMode, masterAlpha and
// pixelCombiner, then dst's notifyChanged (nothing when nothing is covered).
void transformBitmap(Bitmap32& dst, Bitmap32& src, AffineTransform& t);

}  // namespace gradoir
