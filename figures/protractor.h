#pragma once
// Protractor: the on-screen protractor, a half disc with a graduation for every
// degree, two rows of numbers, a straight edge and a red centre circle, drawn
// at its orientation into a square bitmap on opaque white; and the
// three grab zones by which the pupil turns and moves it.
#include <array>
#include <cstdint>

#include "raster/bitmap32.h"
#include "raster/types.h"

namespace gradoir {

class Protractor {
 public:
  // radius and every length of the drawing are logical pixels; scale is the
  // screen's device pixels per logical pixel (display_scale.h), and the
  // drawing, its bitmap and the grab zones are in device pixels.
  Protractor(std::int32_t radius, bool innerScale, double scale = 1.0);

  // Resizes the bitmap to 2*radius + 2 square, repaints the whole
  // protractor at its orientation, and places the grab zones for a layer at
  // location.
  void draw(Bitmap32& bitmap, const RectF& location);
  // Places the grab zones for a layer at location and the orientation.
  void updateGrabZones(const RectF& location);

  // Zone numbers as the pointer handling uses them.
  static constexpr std::uint8_t kNoZone = 0;
  static constexpr std::uint8_t kZeroEnd = 1;
  static constexpr std::uint8_t kCentre = 2;
  static constexpr std::uint8_t kEnd180 = 3;

  // In device pixels.
  std::int32_t radius() const { return m_radius; }
  // As given to the constructor, in logical pixels.
  std::int32_t logicalRadius() const { return m_logicalRadius; }
  double scale() const { return m_scale; }
  bool innerScale() const { return m_innerScale; }
  // Whole degrees, clockwise on screen; 0: straight edge horizontal, arc above,
  // graduation 0 at the left. Any value is accepted; the picture and the
  // zones follow at the next draw.
  std::int32_t orientation() const { return m_orientation; }
  void setOrientation(std::int32_t degrees) { m_orientation = degrees; }
  // Plain degrees, multiples of 5, multiples of 10, in device pixels. The
  // last also sets the radii of the numbers, of the straight edge and of the
  // end grab zones.
  const std::array<std::int32_t, 3>& tickLengths() const { return m_tickLengths; }
  // Indexed by zone number 1..3 in canvas coordinates; [0] stays empty so
  // that a zone number indexes it directly.
  const std::array<Rect, 4>& grabZones() const { return m_grabZones; }

 private:
  // Logical pixels at scale s: s times as many device pixels.
  std::int32_t scaled(std::int32_t logical) const;

  double m_scale;
  std::int32_t m_logicalRadius;
  std::int32_t m_radius;
  std::int32_t m_orientation = 0;
  std::array<std::int32_t, 3> m_tickLengths{12, 20, 28};
  bool m_innerScale;
  std::array<Rect, 4> m_grabZones{};
};

}  // namespace gradoir
