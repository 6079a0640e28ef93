#include "probe_output.h"

#include <QImage>
#include <cstdio>
#include <stdexcept>

namespace probe {

void writePng(const gradoir::Bitmap32& bitmap, const std::string& path) {
  // Wrap the bitmap's own memory: Format_ARGB32 words are Color32 values.
  // PNG cannot hold a 0 x 0 picture: an empty bitmap is written as one
  // transparent pixel.
  QImage image(1, 1, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  if (!bitmap.isEmpty())
    image = QImage(reinterpret_cast<const uchar*>(bitmap.bits()), bitmap.width(), bitmap.height(),
                   bitmap.width() * 4, QImage::Format_ARGB32);
  if (!image.save(QString::fromStdString(path), "PNG"))
    throw std::runtime_error("cannot write " + path);
}

std::string jsonFloat(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.9g", v);
  return buf;
}

std::string jsonPoint(float x, float y) { return "[" + jsonFloat(x) + "," + jsonFloat(y) + "]"; }

std::string jsonRect(const gradoir::Rect& r) {
  return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "]";
}

std::string jsonRect(const gradoir::RectF& r) {
  return "[" + jsonFloat(r.left) + "," + jsonFloat(r.top) + "," + jsonFloat(r.right) + "," +
         jsonFloat(r.bottom) + "]";
}

std::string jsonBool(bool b) { return b ? "true" : "false"; }

}  // namespace probe
