// No text of the window is cut off with the fonts the scripts install: each
// family present in turn stands in for the fonts the window asks for
// ("Tahoma", "System"), and every text is measured against the widget that
// shows it. DejaVu Sans, Debian's default, must be there; Liberation Sans and
// a font with Tahoma's metrics are checked when present. Its own program: it
// adds a font to the application, which would change the other tests' fonts.
#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <QToolButton>
#include <algorithm>

#include "ui/statement_label.h"
#include "app/tool_box_fitting.h"
#include "main_window_fixture.h"
#include "ui/exercise_chooser.h"

namespace gradoir::test {
namespace {

const QString kMeasureStatement = QStringLiteral("Mesure l'angle tracé :       °");
const QString kWords = QStringLiteral("Mesure l'angle tracé :");
// Where the scripts put the font with Tahoma's metrics; fontconfig does not
// look there, so the test adds it to the application itself.
const char* const kTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"};

int advance(const QFont& font, const QString& text) { return QFontMetrics(font).horizontalAdvance(text); }

// Columns of the picture holding a pixel clearly darker than the background.
std::vector<bool> inkColumns(const QImage& picture) {
  std::vector<bool> ink(std::size_t(picture.width()), false);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (qGray(picture.pixel(x, y)) < 160) ink[std::size_t(x)] = true;
    }
  }
  return ink;
}

bool anyInk(const std::vector<bool>& ink, int from, int to) {
  for (int x = std::max(0, from); x <= to && x < int(ink.size()); ++x) {
    if (ink[std::size_t(x)]) return true;
  }
  return false;
}

class FontFitTest : public MainWindowTest {
 protected:
  void checkToolBox(const QString& family);
  void checkStatement();
  void checkAnswerBox();
  void checkChooserAndStatus();
};

void FontFitTest::checkStatement() {
  auto* statement = static_cast<StatementLabel*>(label("statementLabel"));
  const QRect text = statement->contentsRect();
  for (const QString& drawing : {QStringLiteral("Trace un angle de 5°."), QStringLiteral("Trace un angle de 175°.")}) {
    EXPECT_LE(advance(statement->font(), drawing), text.width()) << drawing.toStdString();
  }
  // The measuring statement: words left of the answer box, the degree sign
  // right of it, all of it inside the label; seen on the label's picture.
  statement->setText(kMeasureStatement);
  const QImage picture = statement->grab().toImage();
  const std::vector<bool> ink = inkColumns(picture);
  const QRect box = answer()->geometry().translated(-statement->pos());
  EXPECT_LE(advance(statement->font(), kWords), box.left()) << "the box covers the words";
  EXPECT_FALSE(anyInk(ink, box.left(), box.right())) << "text under the answer box";
  EXPECT_TRUE(anyInk(ink, box.right() + 1, picture.width() - 1)) << "no degree sign after the box";
  EXPECT_FALSE(ink.back()) << "the text reaches the label's edge";
  EXPECT_GE(button("checkButton")->x(), statement->geometry().right() + 1);
  EXPECT_GE(button("nextButton")->x(), statement->geometry().right() + 1);
  EXPECT_GE(text.height(), QFontMetrics(statement->font()).height());
  statement->clear();
}

void FontFitTest::checkAnswerBox() {
  QLineEdit& edit = *answer();
  EXPECT_TRUE(edit.hasFrame());
  const QFontMetrics metrics(edit.font());
  int digit = 0;
  for (QChar c : QStringLiteral("0123456789")) digit = std::max(digit, metrics.horizontalAdvance(c));
  QStyleOptionFrame option;
  option.initFrom(&edit);
  option.rect = edit.rect();
  option.lineWidth = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit);
  const QRect inside = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
  // Qt keeps 2 pixels between the frame and the text on each side, and the
  // cursor after the third digit needs one more.
  EXPECT_GE(inside.width() - 4, 3 * digit + 1);
  EXPECT_GE(inside.height(), metrics.height());
  // A visible border: its pixels differ from the tool box around it and from
  // the box's inside.
  const QImage picture = edit.grab().toImage();
  const QColor border = picture.pixelColor(0, picture.height() / 2);
  const QColor interior = picture.pixelColor(picture.width() / 2, 2 * picture.height() / 3);
  EXPECT_NE(border, toolBox().color());
  EXPECT_NE(border, interior);
}

void FontFitTest::checkToolBox(const QString& family) {
  const FloatingPanel& box = toolBox();
  const QFontMetrics caption(box.font());
  EXPECT_LE(caption.horizontalAdvance(box.caption()), box.captionRoom()) << "caption cut";
  const QLabel* verdict = label("verdictLabel");
  for (const QString& text : {QStringLiteral("Bonne réponse !"), QStringLiteral("Erreur ...")}) {
    EXPECT_LE(advance(verdict->font(), text), verdict->contentsRect().width()) << text.toStdString();
  }
  EXPECT_GE(verdict->contentsRect().height(), QFontMetrics(verdict->font()).height());

  QLabel* score = label("scoreLabel");
  for (const QString& text : {QStringLiteral("0/1"), QStringLiteral("10/10"), QStringLiteral("99/100")}) {
    score->setText(text);
    fitScoreLabel(m_form->form());
    EXPECT_LE(advance(score->font(), text), score->contentsRect().width()) << text.toStdString();
    EXPECT_GT(score->x(), find<QWidget>("toolBar")->geometry().right()) << text.toStdString();
  }
  score->clear();
  // Every control inside the client area.
  const QRect client(QPoint(0, 0), box.clientRect().size());
  for (QWidget* control : box.clientArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_TRUE(client.contains(control->geometry())) << control->objectName().toStdString();
  }
  // With Tahoma's metrics the tool box keeps about its described size.
  if (family == QLatin1String("Tahoma")) {
    EXPECT_LE(box.width(), 209 + 4);
    EXPECT_EQ(box.height(), 89);
  }
  std::printf("%s: tool box %d x %d, answer box %d x %d\n", qPrintable(family), box.width(), box.height(),
              answer()->width(), answer()->height());
}

void FontFitTest::checkChooserAndStatus() {
  const ExerciseChooser& chooser = m_form->chooser();
  EXPECT_LE(advance(chooser.title()->font(), chooser.title()->text()), chooser.title()->contentsRect().width());
  for (const QToolButton* button : {chooser.measureButton(), chooser.drawButton()}) {
    EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
    EXPECT_GE(button->height(), 48);
  }
  action("measureAction")->trigger();
  QApplication::processEvents();  // the status bar lays out its new text
  const QLabel* progress = find<QLabel>("progressLabel");
  EXPECT_LE(advance(progress->font(), progress->text()), progress->contentsRect().width());
}

TEST_F(FontFitTest, NoTextIsCutOffWithAnyInstalledFont) {
  QStringList families;
  ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans"))) << "DejaVu Sans is missing";
  families << QStringLiteral("DejaVu Sans");
  if (QFontDatabase::families().contains(QStringLiteral("Liberation Sans"))) families << QStringLiteral("Liberation Sans");
  // Last: once added, "Tahoma" is a real font and no substitute is asked for.
  if (QFile::exists(QString::fromLatin1(kTahomaFiles[0])) && !QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
    families << QStringLiteral("Tahoma");
  }
  for (const QString& family : families) {
    SCOPED_TRACE(family.toStdString());
    if (family == QLatin1String("Tahoma")) {
      for (const char* file : kTahomaFiles) QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
    for (const char* asked : {"Tahoma", "System"}) {
      QFont::removeSubstitutions(QString::fromLatin1(asked));
      QFont::insertSubstitution(QString::fromLatin1(asked), family);
    }
    start();
    ASSERT_EQ(QFontInfo(toolBox().font()).family(), family) << "the font asked for is not the one measured";
    ASSERT_EQ(QFontInfo(label("verdictLabel")->font()).family(), family);
    checkToolBox(family);
    checkStatement();
    checkAnswerBox();
    checkChooserAndStatus();
    m_form.reset();
  }
  std::printf("families checked: %s\n", qPrintable(families.join(QStringLiteral(", "))));
}

}  // namespace
}  // namespace gradoir::test
