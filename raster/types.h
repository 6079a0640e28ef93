#pragma once
// Value types shared by the whole engine: pixel colours, integer and real
// points and rectangles. A rectangle covers columns Left..Right-1 and rows
// Top..Bottom-1.
#include <cstdint>

namespace gradoir {

// 0xAARRGGBB, not premultiplied; in memory the bytes are B, G, R, A, which is
// exactly QImage::Format_ARGB32 on a little-endian machine.
using TColor32 = std::uint32_t;

// Toolkit colour 0x00BBGGRR (255 is red); a set top bit marks a system colour
// whose number is the low byte.
using TColor = std::uint32_t;

struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};

struct TRealPoint {
  float X = 0;
  float Y = 0;
  friend bool operator==(const TRealPoint&, const TRealPoint&) = default;
};

struct TRealRect {
  float Left = 0;
  float Top = 0;
  float Right = 0;
  float Bottom = 0;
  friend bool operator==(const TRealRect&, const TRealRect&) = default;
};

}  // namespace gradoir
