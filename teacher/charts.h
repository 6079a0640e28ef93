#pragma once
// The pupil's two charts, painted by one function each so that the window,
// the printer and the PDF show the same picture: the score of each series
// over time (measuring and drawing apart: a solid line with discs, a dashed
// one with squares, readable in black and white) and the mistakes counted
// by kind (horizontal bars). Drawn with QPainter: the same code serves
// screen and paper, and shapes rather than colours tell the lines apart.
#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include "figures/exercise_kind.h"

class QPainter;

namespace gradoir {

struct ScorePoint {
  QDateTime when;
  double fraction = 0.0;  // 0..1
  ExerciseKind kind = ExerciseKind::Measuring;
};

struct MistakeBar {
  QString name;
  int count = 0;
};

// Each return where the points (or the bars' far ends) were drawn, in the
// order given.
QList<QPointF> paintScoreChart(QPainter& painter, const QRectF& area, const QList<ScorePoint>& points);
QList<QPointF> paintMistakeChart(QPainter& painter, const QRectF& area, const QList<MistakeBar>& bars);

class ScoreChart : public QWidget {
  Q_OBJECT

 public:
  explicit ScoreChart(QWidget* parent = nullptr);
  void setPoints(QList<ScorePoint> points);
  const QList<ScorePoint>& points() const { return m_points; }
  // Where the last paint put each point, in widget coordinates.
  const QList<QPointF>& placed() const { return m_placed; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QList<ScorePoint> m_points;
  QList<QPointF> m_placed;
};

class MistakeChart : public QWidget {
  Q_OBJECT

 public:
  explicit MistakeChart(QWidget* parent = nullptr);
  void setBars(QList<MistakeBar> bars);
  const QList<MistakeBar>& bars() const { return m_bars; }
  const QList<QPointF>& placed() const { return m_placed; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QList<MistakeBar> m_bars;
  QList<QPointF> m_placed;
};

}  // namespace gradoir
