#include "icon_upscale.h"

namespace gradoir {

int nearestSourceIndex(int out, int sourceSize, int targetSize) {
  // Centre of output pixel `out` is (out + 1/2) * sourceSize / targetSize in
  // source pixels; doubling numerator and denominator keeps it in integers.
  const long long numerator = (2LL * out + 1) * sourceSize;
  const long long denominator = 2LL * targetSize;
  const long long index = numerator / denominator;
  // A centre exactly on a boundary between two source pixels (every third
  // pixel at 48 from 32) takes the one nearer the middle of the image, so a
  // symmetric icon stays symmetric instead of leaning to one side.
  const bool onBoundary = numerator % denominator == 0;
  return static_cast<int>(onBoundary && 2 * index > sourceSize ? index - 1 : index);
}

QImage upscaleNearest(const QImage& source, int size) {
  if (source.isNull() || size < 1) return {};
  // Indexed XPM images carry transparency in their colour table; converting
  // first gives one pixel format to sample from.
  const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
  QImage result(size, size, QImage::Format_ARGB32);
  for (int y = 0; y < size; ++y) {
    const int sy = nearestSourceIndex(y, argb.height(), size);
    const auto* sourceRow = reinterpret_cast<const QRgb*>(argb.constScanLine(sy));
    auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < size; ++x) row[x] = sourceRow[nearestSourceIndex(x, argb.width(), size)];
  }
  return result;
}

QString writeUpscaledIcon(const QString& input, const QString& output, int size) {
  QImage source;
  if (!source.load(input)) return QStringLiteral("cannot read image '%1'").arg(input);
  const QImage icon = upscaleNearest(source, size);
  if (icon.isNull()) return QStringLiteral("invalid icon size %1").arg(size);
  if (!icon.save(output, "PNG")) return QStringLiteral("cannot write '%1'").arg(output);
  return {};
}

}  // namespace gradoir
