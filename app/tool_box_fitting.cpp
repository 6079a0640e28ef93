#include "app/tool_box_fitting.h"

#include <QCoreApplication>

#include "app/main_window_look.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "ui/statement_label.h"
#include "ui/floating_panel.h"
#include "ui_main_window.h"

namespace gradoir {

namespace {

// Pixels between neighbouring controls of a row.
constexpr int kGap = 2;
// The statement's words; the answer box lies over the blanks that follow
// them, and the degree sign comes after it.
const QStringList kVerdicts = {QStringLiteral("Bonne réponse !"), QStringLiteral("Erreur ...")};
// Room inside the rounded frame around the score, on each side of its text.
constexpr int kScorePadding = 2;

// Width the text takes: its advance, or its ink where a glyph overhangs.
int textWidth(const QFont& font, const QString& text) {
  const QFontMetrics metrics(font);
  return std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 1);
}

// An answer box holding three of the widest digit, the text cursor after
// them, the margins Qt keeps beside the text and the style's frame.
QSize answerBoxSize(const QLineEdit& edit) {
  const QFontMetrics metrics(edit.font());
  int digit = 0;
  for (char16_t c = u'0'; c <= u'9'; ++c) digit = std::max(digit, metrics.horizontalAdvance(QChar(c)));
  QStyleOptionFrame option;
  option.initFrom(&edit);
  const int frame = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit);
  constexpr int kQtTextMargin = 2;
  constexpr int kCursor = 1;
  const QMargins text = edit.textMargins();
  const int width = 3 * digit + kCursor + 2 * kQtTextMargin + text.left() + text.right() + 2 * frame;
  const QRect described = edit.geometry();
  return {std::max(described.width(), width), std::max(described.height(), edit.minimumSizeHint().height())};
}

int labelHeight(const QLabel& label) {
  return std::max(label.height(), QFontMetrics(label.font()).height());
}

// The answer box right of the statement's words, over the blanks, which the
// label keeps wide enough for it, and the degree sign after it.
int fitStatement(const Ui::MainWindow& f) {
  StatementLabel& statement = *f.statementLabel;
  QLineEdit& answer = *f.answerEdit;
  answer.setFrame(true);  // a box the pupil can see
  const QSize box = answerBoxSize(answer);
  // The statements in the language shown, as the exercises will set them.
  const QString measureStatement = measuringStatement();
  const QString measureWords = statementWords(measureStatement);
  const QString longestDrawingStatement =
      QCoreApplication::translate("gradoir::MainWindow", "Trace un angle de %1°.").arg(175);
  const int wordsEnd = statement.x() + QFontMetrics(statement.font()).horizontalAdvance(measureWords);
  const int boxLeft = std::max(answer.x(), statement.x() + textWidth(statement.font(), measureWords) + kGap);
  statement.setBlankRoom(boxLeft + box.width() + kGap - wordsEnd);
  answer.setGeometry(boxLeft, answer.y(), box.width(), box.height());

  const QString shown = statement.text();
  int width = statement.width();
  for (const QString& text : {measureStatement, longestDrawingStatement}) {
    statement.setText(text);
    width = std::max(width, statement.textWidth() + 1);
  }
  statement.setText(shown);
  statement.resize(width, labelHeight(statement));
  return statement.x() + width;
}

int fitVerdict(QLabel& verdict) {
  int width = verdict.width();
  for (const QString& text : kVerdicts) width = std::max(width, textWidth(verdict.font(), text) + 1);
  verdict.resize(width, labelHeight(verdict));
  return verdict.x() + width;
}

// Height at which the caption along the left title bar has room for itself.
int heightForCaption(const FloatingPanel& box) {
  const int missing = textWidth(box.font(), box.caption()) - box.captionRoom();
  return box.height() + std::max(0, missing);
}

}  // namespace

void fitToolBoxToTexts(const Ui::MainWindow& f) {
  FloatingPanel& box = *f.toolBox;
  const int statementRight = fitStatement(f);
  const int buttonLeft = std::max(f.checkButton->x(), statementRight + kGap);
  f.checkButton->move(buttonLeft, f.checkButton->y());
  f.nextButton->move(buttonLeft, f.nextButton->y());
  const int verdictRight = fitVerdict(*f.verdictLabel);

  const QMargins frame = box.contentsMargins();
  const int clientWidth = std::max({box.clientRect().width(), f.checkButton->geometry().right() + 1 + 2 * kGap,
                                    verdictRight + kGap});
  box.resize(clientWidth + frame.left() + frame.right(), box.height());
  box.resize(box.width(), heightForCaption(box));
  fitScoreLabel(f);
}

void fitScoreLabel(const Ui::MainWindow& f) {
  QLabel& score = *f.scoreLabel;
  FloatingPanel& box = *f.toolBox;
  const int centre = score.x() + score.width() / 2;
  constexpr int kDescribedWidth = 44;
  const int width = std::max(kDescribedWidth, textWidth(score.font(), score.text()) + 2 * kScorePadding);
  // Right of the tool bar, and inside the client area: the tool box widens
  // rather than cut a long score.
  const int left = std::max(centre - width / 2, f.toolBar->geometry().right() + 1 + 2 * kGap);
  score.setGeometry(left, score.y(), width, labelHeight(score));
  const int overflow = score.geometry().right() + 1 + 2 * kGap - box.clientRect().width();
  if (overflow > 0 && box.expanded()) box.resize(box.width() + overflow, box.height());
}

}  // namespace gradoir
