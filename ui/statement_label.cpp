#include "ui/statement_label.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <optional>
#include <utility>

namespace gradoir {

namespace {

const QString kRunOfBlanks = QStringLiteral("  ");

struct Parts {
  QString before;
  QString blanks;
  QString after;
};

// The text around its first run of two blanks or more.
std::optional<Parts> splitAtBlanks(const QString& text) {
  const qsizetype start = text.indexOf(kRunOfBlanks);
  if (start < 0) return std::nullopt;
  qsizetype end = start;
  while (end < text.size() && text[end] == u' ') ++end;
  return Parts{text.left(start), text.mid(start, end - start), text.mid(end)};
}

}  // namespace

void StatementLabel::setBlankRoom(int pixels) {
  m_blankRoom = std::max(0, pixels);
  updateGeometry();
  update();
}

std::pair<int, int> StatementLabel::blankRun() const {
  const auto parts = splitAtBlanks(text());
  if (!parts) return {-1, 0};
  const QFontMetrics metrics(font());
  // Measured with what follows: Qt lays out trailing blanks differently.
  const int natural = metrics.horizontalAdvance(parts->blanks + parts->after) - metrics.horizontalAdvance(parts->after);
  return {contentsRect().left() + metrics.horizontalAdvance(parts->before), std::max(natural, m_blankRoom)};
}

int StatementLabel::extraWidth() const {
  const auto parts = splitAtBlanks(text());
  if (!parts) return 0;
  const QFontMetrics metrics(font());
  const int natural = metrics.horizontalAdvance(parts->blanks + parts->after) - metrics.horizontalAdvance(parts->after);
  return std::max(0, m_blankRoom - natural);
}

int StatementLabel::textWidth() const {
  const QFontMetrics metrics(font());
  return std::max(metrics.horizontalAdvance(text()), metrics.boundingRect(text()).right() + 1) + extraWidth();
}

QSize StatementLabel::sizeHint() const { return QLabel::sizeHint() + QSize(extraWidth(), 0); }

QSize StatementLabel::minimumSizeHint() const { return QLabel::minimumSizeHint() + QSize(extraWidth(), 0); }

void StatementLabel::paintEvent(QPaintEvent* event) {
  const auto parts = splitAtBlanks(text());
  if (!parts || extraWidth() == 0) {
    QLabel::paintEvent(event);
    return;
  }
  // Two pieces of plain text, in the label's colour, alignment and state.
  QPainter painter(this);
  const QRect area = contentsRect();
  const auto [runStart, runWidth] = blankRun();
  const int flags = Qt::AlignLeft | (alignment() & Qt::AlignVertical_Mask);
  style()->drawItemText(&painter, area, flags, palette(), isEnabled(), parts->before, foregroundRole());
  const QRect rest(runStart + runWidth, area.top(), std::max(0, area.right() + 1 - runStart - runWidth), area.height());
  style()->drawItemText(&painter, rest, flags, palette(), isEnabled(), parts->after, foregroundRole());
}

}  // namespace gradoir
