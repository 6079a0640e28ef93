#include "teacher/worksheet.h"

#include <QCoreApplication>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRectF>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "figures/random_source.h"

namespace gradoir {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("gradoir::Worksheet", text); }

constexpr double kPageWidth = 210.0, kPageHeight = 297.0;
constexpr double kMargin = 12.0;
constexpr double kHeader = 16.0, kFooter = 8.0;
constexpr double kLineMm = 0.35;
constexpr int kResolution = 1200;  // dots per inch of the PDF's coordinates
constexpr double kKeyScale = 0.25;
constexpr int kKeyColumns = 4, kKeyRows = 6;

QRectF contentRect() {
  return {kMargin, kMargin + kHeader, kPageWidth - 2 * kMargin, kPageHeight - 2 * kMargin - kHeader - kFooter};
}

// Measuring: 2 x 2 a page; drawing leaves room for the side on either hand: 1 x 2.
int columnsFor(ExerciseKind kind) { return kind == ExerciseKind::Measuring ? 2 : 1; }
constexpr int kRows = 2;

QRectF cellRect(ExerciseKind kind, int index) {
  const QRectF c = contentRect();
  const int columns = columnsFor(kind);
  const double w = c.width() / columns, h = c.height() / kRows;
  const int slot = index % (columns * kRows);
  return {c.left() + (slot % columns) * w, c.top() + (slot / columns) * h, w, h};
}

// Where the angle may lie in its cell: below the number, above the answer.
QRectF angleRoom(const QRectF& cell) { return cell.adjusted(4, 10, -4, -14); }

QPointF along(double degrees, double length) {
  const double r = degrees * std::numbers::pi / 180.0;
  // Page y grows downwards: counter-clockwise on paper is -y.
  return {length * std::cos(r), -length * std::sin(r)};
}

QRectF boundsOf(const QList<QPointF>& points) {
  double l = points[0].x(), r = l, t = points[0].y(), b = t;
  for (const QPointF& p : points) {
    l = std::min(l, p.x());
    r = std::max(r, p.x());
    t = std::min(t, p.y());
    b = std::max(b, p.y());
  }
  return QRectF(QPointF(l, t), QPointF(r, b));
}

// The points the angle needs room for, from a vertex at 0: a drawn side may
// go either way from the first.
QList<QPointF> reach(ExerciseKind kind, double first, int measure) {
  QList<QPointF> points{QPointF(0, 0), along(first, kSheetSideMm), along(first + measure, kSheetSideMm)};
  if (kind == ExerciseKind::Drawing) points << along(first - measure, kSheetSideMm);
  return points;
}

double mm(double v) { return v * kResolution / 25.4; }
QPointF mm(const QPointF& p) { return {mm(p.x()), mm(p.y())}; }
QRectF mm(const QRectF& r) { return {mm(r.topLeft()), mm(r.bottomRight())}; }

void drawSides(QPainter& p, const SheetAngle& a, bool whole, double scale, const QPointF& origin) {
  auto at = [&](const QPointF& point) { return mm(origin + (point - a.vertex) * scale); };
  p.setPen(QPen(Qt::black, mm(kLineMm), Qt::SolidLine, Qt::RoundCap));
  p.drawLine(at(a.vertex), at(a.firstEnd));
  if (whole) {
    p.drawLine(at(a.vertex), at(a.secondEnd));
    // The opening, marked by a small arc near the vertex.
    const double radius = 8.0 * scale;
    const QPointF d1 = a.firstEnd - a.vertex, d2 = a.secondEnd - a.vertex;
    const double start = std::atan2(-d1.y(), d1.x()) * 180.0 / std::numbers::pi;
    double span = std::atan2(-d2.y(), d2.x()) * 180.0 / std::numbers::pi - start;
    while (span <= 0) span += 360.0;
    p.setPen(QPen(Qt::black, mm(kLineMm * 0.6)));
    const QRectF box(at(a.vertex) - QPointF(mm(radius), mm(radius)), QSizeF(mm(2 * radius), mm(2 * radius)));
    p.drawArc(box, static_cast<int>(std::lround(start * 16)), static_cast<int>(std::lround(span * 16)));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawEllipse(at(a.vertex), mm(0.9), mm(0.9));
  p.setBrush(Qt::NoBrush);
}

QFont pointFont(double points, bool bold = false) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPointSizeF(points);
  f.setBold(bold);
  // No ligatures: the footer's command is copied from the PDF as typed.
  f.setStyleStrategy(QFont::PreferNoShaping);
  return f;
}

void drawText(QPainter& p, const QRectF& box, const QString& text, int flags, double points, bool bold = false) {
  p.setPen(Qt::black);
  p.setFont(pointFont(points, bold));
  p.drawText(mm(box), flags, text);
}

QString kindWord(ExerciseKind kind) { return kind == ExerciseKind::Measuring ? QStringLiteral("mesurer") : QStringLiteral("tracer"); }

void drawFrame(QPainter& p, const WorksheetRequest& r, const QString& title, int page, int pages) {
  drawText(p, QRectF(kMargin, kMargin, kPageWidth - 2 * kMargin, 8), title, Qt::AlignLeft | Qt::AlignVCenter, 13, true);
  drawText(p, QRectF(kMargin, kMargin + 8, kPageWidth - 2 * kMargin, 6),
           tr("Nom : ................................   Date : ................"), Qt::AlignLeft | Qt::AlignVCenter, 9);
  const QString footer = tr("Graine %1 : gradoir --fiche %2 %3 fiche.pdf --graine %1   —   page %4 sur %5")
                             .arg(r.seed)
                             .arg(kindWord(r.kind))
                             .arg(r.count)
                             .arg(page + 1)
                             .arg(pages);
  drawText(p, QRectF(kMargin, kPageHeight - kMargin - kFooter + 2, kPageWidth - 2 * kMargin, kFooter - 2), footer,
           Qt::AlignLeft | Qt::AlignVCenter, 7.5);
}

void drawExercise(QPainter& p, ExerciseKind kind, const SheetAngle& a, int index) {
  const QRectF cell = cellRect(kind, index);
  const bool measuring = kind == ExerciseKind::Measuring;
  const QString statement = measuring ? QStringLiteral("%1.").arg(a.number)
                                      : tr("%1. Trace un angle de %2° à partir de ce côté.").arg(a.number).arg(a.measure);
  drawText(p, QRectF(cell.left() + 2, cell.top() + 2, cell.width() - 4, 7), statement, Qt::AlignLeft | Qt::AlignVCenter,
           10, true);
  drawSides(p, a, measuring, 1.0, a.vertex);
  if (measuring) {
    drawText(p, QRectF(cell.left() + 2, cell.bottom() - 11, cell.width() - 4, 8),
             tr("Mesure : ................ °"), Qt::AlignLeft | Qt::AlignVCenter, 10);
  }
}

void drawKey(QPainter& p, const WorksheetLayout& layout, int keyPage) {
  const QRectF c = contentRect();
  const double w = c.width() / kKeyColumns, h = c.height() / kKeyRows;
  const int perPage = kKeyColumns * kKeyRows;
  for (int i = keyPage * perPage; i < std::min<int>(layout.angles.size(), (keyPage + 1) * perPage); ++i) {
    const SheetAngle& a = layout.angles[i];
    const int slot = i % perPage;
    const QRectF cell(c.left() + (slot % kKeyColumns) * w, c.top() + (slot / kKeyColumns) * h, w, h);
    drawText(p, QRectF(cell.left() + 1, cell.top() + 1, cell.width() - 2, 6),
             QStringLiteral("%1. %2°").arg(a.number).arg(a.measure), Qt::AlignLeft | Qt::AlignVCenter, 10, true);
    // The angle a quarter of its size, turned as on the sheet.
    const QRectF room = cell.adjusted(2, 8, -2, -2);
    const QRectF bounds = boundsOf({a.vertex, a.firstEnd, a.secondEnd});
    const QPointF origin = room.center() - (bounds.center() - a.vertex) * kKeyScale;
    drawSides(p, a, true, kKeyScale, origin);
  }
}

}  // namespace

WorksheetLayout layOutWorksheet(const WorksheetRequest& request) {
  WorksheetLayout layout;
  RandomSource random(request.seed);
  const Level level = normalized(request.level);
  const int count = std::clamp(request.count, 1, kMaxWorksheetExercises);
  const int perPage = columnsFor(request.kind) * kRows;
  for (int i = 0; i < count; ++i) {
    SheetAngle a;
    a.number = i + 1;
    a.measure = drawMeasure(random, level);
    a.page = i / perPage;
    const QRectF room = angleRoom(cellRect(request.kind, i));
    // The first side in any direction that lets the angle lie in its place;
    // every measure up to 175° has such directions (the cell's diagonal is
    // longer than two sides), a few hundred draws find one.
    double first = 0.0;
    QRectF bounds;
    double bestOverflow = 1e9;
    for (int attempt = 0; attempt < 5000; ++attempt) {
      const double direction = static_cast<double>(random.real()) * 360.0;
      const QRectF b = boundsOf(reach(request.kind, direction, a.measure));
      const double overflow = std::max(b.width() - room.width(), 0.0) + std::max(b.height() - room.height(), 0.0);
      if (overflow < bestOverflow) {
        bestOverflow = overflow;
        first = direction;
        bounds = b;
      }
      if (overflow == 0.0) break;
    }
    a.vertex = room.center() - bounds.center();
    a.firstEnd = a.vertex + along(first, kSheetSideMm);
    a.secondEnd = a.vertex + along(first + a.measure, kSheetSideMm);
    layout.angles << a;
  }
  layout.exercisePages = (count + perPage - 1) / perPage;
  layout.keyPages = (count + kKeyColumns * kKeyRows - 1) / (kKeyColumns * kKeyRows);
  return layout;
}

bool writeWorksheet(const WorksheetRequest& request, const QString& path, QString* error) {
  const WorksheetLayout layout = layOutWorksheet(request);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  {
    QPdfWriter pdf(&file);
    pdf.setResolution(kResolution);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    pdf.setTitle(tr("Fiche d'exercices Gradoir"));
    pdf.setCreator(QStringLiteral("Gradoir"));
    QPainter p(&pdf);
    p.setRenderHint(QPainter::Antialiasing);
    const int pages = layout.exercisePages + layout.keyPages;
    const QString title = request.kind == ExerciseKind::Measuring ? tr("Mesure chaque angle avec ton rapporteur.")
                                                                   : tr("Trace chaque angle avec ton rapporteur.");
    for (int page = 0; page < pages; ++page) {
      if (page > 0) pdf.newPage();
      const bool key = page >= layout.exercisePages;
      drawFrame(p, request, key ? tr("Corrigé") : title, page, pages);
      if (key) {
        drawKey(p, layout, page - layout.exercisePages);
        continue;
      }
      for (int i = 0; i < layout.angles.size(); ++i) {
        if (layout.angles[i].page == page) drawExercise(p, request.kind, layout.angles[i], i);
      }
    }
  }
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace gradoir
