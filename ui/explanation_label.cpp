#include "ui/explanation_label.h"

#include <QFont>
#include <QFontMetrics>
#include <algorithm>
#include <array>
#include <optional>

#include "raster/geometry.h"

namespace gradoir {

namespace {

constexpr int kGap = 6;
constexpr int kCornerMargin = 8;
constexpr int kGridStep = 8;
// Wider texts wrap onto a second line.
constexpr int kMaxWidth = 300;
// A little larger than the statement's 12 pixels: the pupil must read it
// at a glance, away from the tool box.
constexpr int kFontPixels = 13;
constexpr int kPadding = 5;

Rect asRect(QPoint at, QSize size) { return {at.x(), at.y(), at.x() + size.width(), at.y() + size.height()}; }

bool isFree(QPoint at, QSize size, const QRect& toolBox, QSize canvas, const std::vector<Rect>& avoid) {
  if (at.x() < 0 || at.y() < 0 || at.x() + size.width() > canvas.width() ||
      at.y() + size.height() > canvas.height())
    return false;
  const Rect r = asRect(at, size);
  const Rect box{toolBox.left(), toolBox.top(), toolBox.left() + toolBox.width(),
                 toolBox.top() + toolBox.height()};
  if (rectsOverlap(r, box)) return false;
  return std::none_of(avoid.begin(), avoid.end(), [&r](const Rect& a) { return rectsOverlap(r, a); });
}

}  // namespace

namespace {

std::optional<QPoint> freePlace(QSize size, const QRect& toolBox, QSize canvas, const std::vector<Rect>& avoid) {
  const int w = size.width(), h = size.height();
  const QPoint below(toolBox.left(), toolBox.top() + toolBox.height() + kGap);
  const std::array<QPoint, 8> candidates{
      QPoint(toolBox.left() + toolBox.width() + kGap, toolBox.top()),
      below,
      QPoint(toolBox.left() - w - kGap, toolBox.top()),
      QPoint(toolBox.left(), toolBox.top() - h - kGap),
      QPoint(kCornerMargin, kCornerMargin),
      QPoint(canvas.width() - w - kCornerMargin, kCornerMargin),
      QPoint(kCornerMargin, canvas.height() - h - kCornerMargin),
      QPoint(canvas.width() - w - kCornerMargin, canvas.height() - h - kCornerMargin)};
  for (const QPoint& at : candidates)
    if (isFree(at, size, toolBox, canvas, avoid)) return at;
  for (int y = 0; y + h <= canvas.height(); y += kGridStep)
    for (int x = 0; x + w <= canvas.width(); x += kGridStep)
      if (isFree({x, y}, size, toolBox, canvas, avoid)) return QPoint(x, y);
  return std::nullopt;
}

}  // namespace

QPoint explanationPlace(QSize size, const QRect& toolBox, QSize canvas, const std::vector<Rect>& avoid,
                        const std::vector<Rect>& rather) {
  if (!rather.empty()) {
    std::vector<Rect> both = avoid;
    both.insert(both.end(), rather.begin(), rather.end());
    if (const std::optional<QPoint> at = freePlace(size, toolBox, canvas, both)) return *at;
  }
  if (const std::optional<QPoint> at = freePlace(size, toolBox, canvas, avoid)) return *at;
  return {toolBox.left(), toolBox.top() + toolBox.height() + kGap};
}

ExplanationLabel::ExplanationLabel(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("explanationLabel"));
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(kFontPixels);
  setFont(f);
  setWordWrap(true);
  setMargin(kPadding);
  // Pale yellow with the tool box's outline colour: a note beside it.
  setStyleSheet(
      QStringLiteral("QLabel { background-color: rgb(255, 255, 225); color: black;"
                     " border: 1px solid rgb(160, 168, 255); }"));
  setAccessibleDescription(tr("Explication"));
  // A note, not a control: whatever lies under it stays within reach.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  hide();
}

void ExplanationLabel::showBeside(const QString& text, const QRect& toolBox, QSize canvas,
                                  const std::vector<Rect>& avoid, const std::vector<Rect>& rather) {
  setText(text);
  setAccessibleName(text);
  const int frame = 2 * (kPadding + 1) + 2;
  const int width = std::min(kMaxWidth, QFontMetrics(font()).horizontalAdvance(text) + frame);
  setFixedWidth(width);
  setFixedHeight(heightForWidth(width));
  move(explanationPlace(size(), toolBox, canvas, avoid, rather));
  show();
  raise();
}

void ExplanationLabel::clearExplanation() {
  hide();
  clear();
  setAccessibleName(QString());
}

}  // namespace gradoir
