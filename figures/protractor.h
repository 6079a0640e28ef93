#pragma once
// TGradoir: the on-screen protractor, a half disc with a graduation for every
// degree, two rows of numbers, a straight edge and a red centre circle, drawn
// at its orientation into a square layer bitmap on opaque white; and the
// three grab zones by which the pupil turns and moves it.
#include <array>
#include <cstdint>

#include "raster/layers.h"
#include "raster/types.h"

namespace gradoir {

class TGradoir {
 public:
  TGradoir(std::int32_t radius, bool inner_scale);

  // Resizes the layer's bitmap to 2*Radius + 2 square, repaints the whole
  // protractor at Orientation and updates the grab zones.
  void Draw(TBitmapLayer& layer);
  // Recomputes GrabZones from the layer's location and Orientation.
  void UpdateGrabZones(const TBitmapLayer& layer);

  // Zone numbers as the pointer handling uses them.
  static constexpr std::uint8_t kNoZone = 0;
  static constexpr std::uint8_t kZeroEnd = 1;
  static constexpr std::uint8_t kCentre = 2;
  static constexpr std::uint8_t kEnd180 = 3;

  std::int32_t Radius;
  // Whole degrees, clockwise on screen; 0: straight edge horizontal, arc above,
  // graduation 0 at the left. Any value is accepted.
  std::int32_t Orientation = 0;
  // Plain degrees, multiples of 5, multiples of 10. The last also sets the
  // radii of the numbers, of the straight edge and of the end grab zones.
  std::array<std::int32_t, 3> TickLengths{12, 20, 28};
  bool InnerScale;
  std::uint8_t ActiveZone = kNoZone;
  // Indexed by zone number 1..3 in canvas coordinates; [0] stays empty so that
  // ActiveZone indexes it directly.
  std::array<TRect, 4> GrabZones{};
};

}  // namespace gradoir
