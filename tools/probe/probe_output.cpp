#include "probe_output.h"

#include <QImage>
#include <cstdio>
#include <stdexcept>

namespace probe {

void WritePng(const gradoir::TBitmap32& bitmap, const std::string& path) {
  // Wrap the bitmap's own memory: Format_ARGB32 words are TColor32 values.
  // PNG cannot hold a 0 x 0 picture: an empty bitmap is written as one
  // transparent pixel.
  QImage image(1, 1, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  if (!bitmap.IsEmpty())
    image = QImage(reinterpret_cast<const uchar*>(bitmap.Bits()), bitmap.Width(), bitmap.Height(),
                   bitmap.Width() * 4, QImage::Format_ARGB32);
  if (!image.save(QString::fromStdString(path), "PNG"))
    throw std::runtime_error("cannot write " + path);
}

std::string JsonFloat(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.9g", v);
  return buf;
}

std::string JsonPoint(float x, float y) { return "[" + JsonFloat(x) + "," + JsonFloat(y) + "]"; }

std::string JsonRect(const gradoir::TRect& r) {
  return "[" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom) + "]";
}

std::string JsonRect(const gradoir::TRealRect& r) {
  return "[" + JsonFloat(r.Left) + "," + JsonFloat(r.Top) + "," + JsonFloat(r.Right) + "," +
         JsonFloat(r.Bottom) + "]";
}

std::string JsonBool(bool b) { return b ? "true" : "false"; }

}  // namespace probe
