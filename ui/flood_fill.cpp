#include "ui/flood_fill.h"

#include <vector>

namespace gradoir {

int floodFill(QImage& image, QPoint seed, QRgb surface, QRgb fill) {
  if (!image.rect().contains(seed) || surface == fill) return 0;
  if (image.format() != QImage::Format_ARGB32) image.convertTo(QImage::Format_ARGB32);
  if (image.pixel(seed) != surface) return 0;

  // An explicit stack: recursion depth would grow with the area.
  std::vector<QPoint> pending{seed};
  int filled = 0;
  while (!pending.empty()) {
    const QPoint p = pending.back();
    pending.pop_back();
    if (!image.rect().contains(p) || image.pixel(p) != surface) continue;
    image.setPixel(p, fill);
    ++filled;
    pending.push_back(p + QPoint(1, 0));
    pending.push_back(p + QPoint(-1, 0));
    pending.push_back(p + QPoint(0, 1));
    pending.push_back(p + QPoint(0, -1));
  }
  return filled;
}

}  // namespace gradoir
