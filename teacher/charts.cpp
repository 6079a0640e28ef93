#include "teacher/charts.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace gradoir {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("gradoir::Charts", text); }

QPen linePen(ExerciseKind kind, double width) {
  QPen pen(Qt::black, width);
  if (kind == ExerciseKind::Drawing) pen.setStyle(Qt::DashLine);
  return pen;
}

void drawMarker(QPainter& p, ExerciseKind kind, const QPointF& at, double size) {
  p.setPen(QPen(Qt::black, size / 4));
  if (kind == ExerciseKind::Measuring) {
    p.setBrush(Qt::black);
    p.drawEllipse(at, size / 2, size / 2);
  } else {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(at.x() - size / 2, at.y() - size / 2, size, size));
  }
}

}  // namespace

QList<QPointF> paintScoreChart(QPainter& p, const QRectF& area, const QList<ScorePoint>& points) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QFontMetricsF metrics(p.font());
  const double unit = metrics.height();
  const QRectF plot = area.adjusted(metrics.horizontalAdvance(QStringLiteral("100 %")) + unit * 0.6, unit * 1.8,
                                    -unit, -unit * 1.6);
  // Grid and scale: 0, 50 and 100 %.
  p.setPen(QPen(Qt::gray, 0));
  for (int percent : {0, 50, 100}) {
    const double y = plot.bottom() - plot.height() * percent / 100.0;
    p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), y - unit / 2, plot.left() - area.left() - unit * 0.3, unit),
               Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 %").arg(percent));
    p.setPen(QPen(Qt::gray, 0));
  }
  p.setPen(QPen(Qt::black, 0));
  p.drawLine(plot.bottomLeft(), plot.bottomRight());
  p.drawLine(plot.bottomLeft(), plot.topLeft());
  // Legend above the plot.
  double x = plot.left();
  for (const ExerciseKind kind : {ExerciseKind::Measuring, ExerciseKind::Drawing}) {
    const QString name = kind == ExerciseKind::Measuring ? tr("Mesurer") : tr("Tracer");
    const double y = area.top() + unit * 0.7;
    p.setPen(linePen(kind, unit / 8));
    p.drawLine(QPointF(x, y), QPointF(x + unit * 2, y));
    drawMarker(p, kind, QPointF(x + unit, y), unit * 0.45);
    p.setPen(Qt::black);
    p.drawText(QPointF(x + unit * 2.4, y + metrics.ascent() / 2.5), name);
    x += unit * 3 + metrics.horizontalAdvance(name);
  }
  QList<QPointF> placed(points.size());
  if (points.isEmpty()) {
    p.drawText(plot, Qt::AlignCenter, tr("Aucune série"));
    p.restore();
    return placed;
  }
  QDateTime first = points.first().when, last = first;
  for (const ScorePoint& s : points) {
    first = std::min(first, s.when);
    last = std::max(last, s.when);
  }
  const double span = std::max<qint64>(first.msecsTo(last), 1);
  for (qsizetype i = 0; i < points.size(); ++i) {
    const double along = first == last ? 0.5 : first.msecsTo(points[i].when) / span;
    placed[i] = QPointF(plot.left() + unit * 0.5 + along * (plot.width() - unit),
                        plot.bottom() - std::clamp(points[i].fraction, 0.0, 1.0) * plot.height());
  }
  const QLocale locale;
  p.drawText(QRectF(plot.left(), plot.bottom() + unit * 0.2, plot.width(), unit), Qt::AlignLeft,
             locale.toString(first.toLocalTime().date(), QLocale::ShortFormat));
  p.drawText(QRectF(plot.left(), plot.bottom() + unit * 0.2, plot.width(), unit), Qt::AlignRight,
             locale.toString(last.toLocalTime().date(), QLocale::ShortFormat));
  for (const ExerciseKind kind : {ExerciseKind::Measuring, ExerciseKind::Drawing}) {
    QPainterPath path;
    QList<QPointF> ofKind;
    for (qsizetype i = 0; i < points.size(); ++i) {
      if (points[i].kind == kind) ofKind << placed[i];
    }
    std::sort(ofKind.begin(), ofKind.end(), [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    for (qsizetype i = 0; i < ofKind.size(); ++i) i == 0 ? path.moveTo(ofKind[i]) : path.lineTo(ofKind[i]);
    p.setPen(linePen(kind, unit / 8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    for (const QPointF& at : ofKind) drawMarker(p, kind, at, unit * 0.45);
  }
  p.restore();
  return placed;
}

QList<QPointF> paintMistakeChart(QPainter& p, const QRectF& area, const QList<MistakeBar>& bars) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QFontMetricsF metrics(p.font());
  const double unit = metrics.height();
  QList<QPointF> placed(bars.size());
  if (bars.isEmpty()) {
    p.drawText(area, Qt::AlignCenter, tr("Aucune erreur"));
    p.restore();
    return placed;
  }
  double labelWidth = 0;
  int most = 1;
  for (const MistakeBar& b : bars) {
    labelWidth = std::max(labelWidth, metrics.horizontalAdvance(b.name));
    most = std::max(most, b.count);
  }
  labelWidth = std::min(labelWidth + unit * 0.5, area.width() * 0.55);
  const double countWidth = metrics.horizontalAdvance(QString::number(most)) + unit * 0.5;
  const double left = area.left() + labelWidth, room = area.right() - countWidth - left;
  const double pitch = std::min(unit * 1.6, area.height() / bars.size());
  for (qsizetype i = 0; i < bars.size(); ++i) {
    const double top = area.top() + i * pitch;
    const QRectF label(area.left(), top, labelWidth - unit * 0.5, pitch);
    p.setPen(Qt::black);
    p.drawText(label, Qt::AlignRight | Qt::AlignVCenter,
               metrics.elidedText(bars[i].name, Qt::ElideRight, label.width()));
    const double length = room * bars[i].count / most;
    const QRectF bar(left, top + pitch * 0.15, length, pitch * 0.7);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(bar);
    p.drawText(QRectF(bar.right() + unit * 0.25, top, countWidth, pitch), Qt::AlignLeft | Qt::AlignVCenter,
               QString::number(bars[i].count));
    placed[i] = QPointF(bar.right(), bar.center().y());
  }
  p.restore();
  return placed;
}

ScoreChart::ScoreChart(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("scoreChart"));
  setMinimumSize(280, 160);
  setAccessibleName(tr("Score de chaque série"));
}

void ScoreChart::setPoints(QList<ScorePoint> points) {
  m_points = std::move(points);
  update();
}

void ScoreChart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  m_placed = paintScoreChart(p, QRectF(rect()).adjusted(4, 4, -4, -4), m_points);
}

MistakeChart::MistakeChart(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("mistakeChart"));
  setMinimumSize(280, 160);
  setAccessibleName(tr("Erreurs par sorte"));
}

void MistakeChart::setBars(QList<MistakeBar> bars) {
  m_bars = std::move(bars);
  update();
}

void MistakeChart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  m_placed = paintMistakeChart(p, QRectF(rect()).adjusted(4, 4, -4, -4), m_bars);
}

}  // namespace gradoir
