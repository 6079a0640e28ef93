#include "figures/rotated_text.h"

#include "raster/affine.h"

namespace gradoir {

void DrawRotatedText(TBitmap32& bitmap, TPoint center, std::int32_t angle, std::int32_t font_size,
                     TColor font_color, const std::string& text) {
  TBitmap32 label;
  label.Font().SetName("Verdana");
  label.Font().SetSize(font_size);
  label.Font().SetColor(font_color);

  // Measured while the label is still empty, as its size depends on it.
  const std::int32_t w = label.TextPixelWidth(text);
  const std::int32_t h = label.TextPixelHeight(text);
  label.SetBitmapSize(w + 1, h);
  label.FillAll(0xFFFFFFFF);

  const std::int32_t mid_x = (w + 1) / 2;
  const std::int32_t mid_y = h / 2;
  TAffineTransformation transformation;
  transformation.SetSourceRect(TRealRect{1, 1, static_cast<float>(w + 1), static_cast<float>(h)});
  transformation.RotateAbout(static_cast<float>(mid_x), static_cast<float>(mid_y), static_cast<float>(angle));
  transformation.Shift(static_cast<float>(static_cast<std::int64_t>(center.X) - mid_x),
                       static_cast<float>(static_cast<std::int64_t>(center.Y) - mid_y));

  label.PrintText(1, 1, text);
  label.SetStretchFilter(sfLinear);
  TransformBitmap(bitmap, label, transformation);
}

}  // namespace gradoir
