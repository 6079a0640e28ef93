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

// The protractor's grab zones: by an end of its straight edge it turns,
// by its centre it moves.
enum class GrabZone : std::uint8_t { None, ZeroEnd, Centre, End180 };
// The zones in the order a point is tested against them.
constexpr std::array<GrabZone, 3> kGrabZones{GrabZone::ZeroEnd, GrabZone::Centre, GrabZone::End180};

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
  // A grab zone in canvas coordinates; GrabZone::None has none (an empty
  // rectangle).
  const Rect& grabZone(GrabZone zone) const { return m_grabZones[static_cast<std::size_t>(zone)]; }

 private:
  // Logical pixels at scale s: s times as many device pixels.
  std::int32_t scaled(std::int32_t logical) const;
  Rect& zoneRect(GrabZone zone) { return m_grabZones[static_cast<std::size_t>(zone)]; }

  double m_scale;
  std::int32_t m_logicalRadius;
  std::int32_t m_radius;
  std::int32_t m_orientation = 0;
  std::array<std::int32_t, 3> m_tickLengths{12, 20, 28};
  bool m_innerScale;
  // Indexed by the zone's value, so [0] (GrabZone::None) stays empty.
  std::array<Rect, 4> m_grabZones{};
};

}  // namespace gradoir
