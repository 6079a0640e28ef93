#pragma once
// Value types shared by the whole engine: pixel colours, integer and real
// points and rectangles. A rectangle covers columns left..right-1 and rows
// top..bottom-1.
#include <cstdint>

namespace gradoir {

// 0xAARRGGBB, not premultiplied; in memory the bytes are B, G, R, A, which is
// exactly QImage::Format_ARGB32 on a little-endian machine.
using Color32 = std::uint32_t;

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct PointF {
  float x = 0;
  float y = 0;
  friend bool operator==(const PointF&, const PointF&) = default;
};

struct RectF {
  float left = 0;
  float top = 0;
  float right = 0;
  float bottom = 0;
  friend bool operator==(const RectF&, const RectF&) = default;
};

}  // namespace gradoir
