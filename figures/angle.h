#pragma once
// TAngle: the angle of one exercise, a vertex and two sides of fixed lengths
// placed at random, drawn with an arc between the sides near the vertex.
#include <cstdint>

#include "raster/layers.h"
#include "raster/types.h"

namespace gradoir {

class TAngle {
 public:
  // origin (0, 0) asks for a random vertex, any other point fixes it;
  // measure 0 asks for a random measure (5 to 175), any other value fixes it.
  // The random sequence is reseeded from NextAngleSeed() (random_source.h).
  TAngle(TPoint origin, const TRect& bounds, std::int32_t first_length, std::int32_t second_length,
         std::int32_t arc_radius, std::int32_t measure, bool magnetic, bool horizontal, bool no_second_side);

  // Repaints the layer's bitmap with the figure and makes the layer visible.
  // tracing: the pupil is drawing the second side (red, no vertex mark).
  void Draw(TBitmapLayer& layer, bool tracing) const;

  TRealPoint Vertex;
  TRealPoint FirstEnd;
  TRealPoint SecondEnd;     // equals Vertex while there is no second side
  TRealPoint GeneratedEnd;  // the second end as generated, kept when left out
  TRealPoint MarkStart;     // 4 px from the vertex along the first side
  TRealPoint MarkEnd;       // 4 px from the vertex the other way
  std::int32_t FirstLength = 0;
  std::int32_t SecondLength = 0;
  std::int32_t ArcRadius = 0;
  // 5..175 when generated; the signed drawn angle (-180..180) while the pupil
  // draws; 181 while no second side has been drawn.
  std::int32_t Measure = 0;
  bool Magnetic = false;
  bool Horizontal = false;
};

}  // namespace gradoir
