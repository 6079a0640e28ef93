#pragma once
// Affine transformation (rotations about a point and translations) and
// drawing of a bitmap through it with nearest or bilinear sampling.
#include <cstdint>

#include "raster/bitmap32.h"

namespace gradoir {

class TTransformation {
 public:
  virtual ~TTransformation() = default;
  TRealRect SourceRect() const { return source_rect_; }
  void SetSourceRect(const TRealRect& r);
  bool Prepared() const { return prepared_; }

  virtual void MapBackToPixel(std::int32_t x, std::int32_t y, std::int32_t& src_x, std::int32_t& src_y) const = 0;
  virtual void MapBackToSubpixel(std::int32_t x, std::int32_t y, std::int32_t& src_x, std::int32_t& src_y) const = 0;  // 24.8
  virtual void PrepareInverse() = 0;
  virtual TRect TransformedBounds() const = 0;

 protected:
  TRealRect source_rect_{};
  bool prepared_ = false;
};

class TAffineTransformation : public TTransformation {
 public:
  TAffineTransformation();
  void ResetMatrix();
  void RotateAbout(float cx, float cy, float alpha_degrees);
  void Shift(float dx, float dy);

  void MapBackToPixel(std::int32_t x, std::int32_t y, std::int32_t& src_x, std::int32_t& src_y) const override;
  void MapBackToSubpixel(std::int32_t x, std::int32_t y, std::int32_t& src_x, std::int32_t& src_y) const override;
  void PrepareInverse() override;
  TRect TransformedBounds() const override;

  // Matrix[i][j]: i selects the input (x, y, 1), j the output component.
  float Matrix[3][3];
  // Inverse mapping in 20.12 fixed point, valid while Prepared().
  std::int32_t FixA = 0, FixB = 0, FixC = 0, FixD = 0, FixE = 0, FixF = 0;

 private:
  void Compose(const float t[3][3]);
};

// Draws src through t into dst by src's DrawMode, MasterAlpha and
// OnPixelCombine, then dst's NotifyChanged (nothing when nothing is covered).
void TransformBitmap(TBitmap32& dst, TBitmap32& src, TAffineTransformation& t);

}  // namespace gradoir
