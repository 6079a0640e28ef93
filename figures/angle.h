#pragma once
// AngleFigure: the angle of one exercise, a vertex and two sides of fixed lengths
// placed at random, drawn with an arc between the sides near the vertex.
#include <cstdint>
#include <optional>

#include "figures/level.h"
#include "raster/bitmap32.h"
#include "raster/types.h"

namespace gradoir {

// Everything that fixes an angle figure, as plain values.
struct AngleGeometry {
  PointF vertex;
  PointF firstEnd;
  PointF secondEnd;     // equals vertex while there is no second side
  PointF generatedEnd;  // the second end as generated, kept when left out
  PointF markStart;     // the vertex mark: 4 px from the vertex along the first side
  PointF markEnd;       // and 4 px the other way
  std::int32_t firstLength = 0;
  std::int32_t secondLength = 0;
  std::int32_t arcRadius = 0;
  // 5..175 when generated; the signed drawn angle (-180..180) while the
  // pupil draws; empty while there is no second side.
  std::optional<std::int32_t> measure;
  bool magnetic = false;
  bool horizontal = false;
  friend bool operator==(const AngleGeometry&, const AngleGeometry&) = default;
};

class AngleFigure {
 public:
  // origin (0, 0) asks for a random vertex, any other point fixes it;
  // measure 0 asks for a random measure allowed by `level` (5 to 175 by default),
  // any other value fixes it.
  // The random sequence is reseeded from nextAngleSeed() (random_source.h).
  AngleFigure(Point origin, const Rect& bounds, std::int32_t firstLength, std::int32_t secondLength,
              std::int32_t arcRadius, std::int32_t measure, bool magnetic, bool horizontal, bool noSecondSide,
              const Level& level = {});
  // An exact angle rather than a random one, for checks and tools.
  explicit AngleFigure(const AngleGeometry& geometry) : m_g(geometry) {}

  // Repaints the bitmap with the figure (on opaque white, cleared first).
  // tracing: the pupil is drawing the second side (red, no vertex mark).
  // scale: device pixels per logical pixel of the screen, for the thickness
  // of the lines (the geometry is already in device pixels).
  void draw(Bitmap32& bitmap, bool tracing, double scale = 1.0) const;

  const AngleGeometry& geometry() const { return m_g; }
  PointF vertex() const { return m_g.vertex; }
  PointF firstEnd() const { return m_g.firstEnd; }
  PointF secondEnd() const { return m_g.secondEnd; }
  PointF generatedEnd() const { return m_g.generatedEnd; }
  PointF markStart() const { return m_g.markStart; }
  PointF markEnd() const { return m_g.markEnd; }
  std::int32_t firstLength() const { return m_g.firstLength; }
  std::int32_t secondLength() const { return m_g.secondLength; }
  std::int32_t arcRadius() const { return m_g.arcRadius; }
  bool magnetic() const { return m_g.magnetic; }
  bool horizontal() const { return m_g.horizontal; }
  std::optional<std::int32_t> measure() const { return m_g.measure; }

  // The pupil's second side. An end on the vertex is no side at all.
  void setSecondSide(PointF end, std::int32_t measure);
  // No second side and no measure, as before the pupil's first stroke.
  void clearSecondSide();

 private:
  AngleGeometry m_g;
};

}  // namespace gradoir
