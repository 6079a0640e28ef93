// The help and about window: contents for each use, links, closing, shape.
#include "ui/help_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "ui_help_dialog.h"

namespace gradoir::test {
namespace {

// Records the links the window asks to open instead of starting a browser.
class LinkRecorder {
 public:
  LinkRecorder() : m_saved(HelpDialog::urlOpener()) {
    HelpDialog::urlOpener() = [this](const QUrl& url) { opened.push_back(url.toString()); };
  }
  ~LinkRecorder() { HelpDialog::urlOpener() = m_saved; }
  std::vector<QString> opened;

 private:
  std::function<void(const QUrl&)> m_saved;
};

std::vector<QLabel*> linkLabels(const Ui::HelpDialog& form) {
  return {form.linkLabel1, form.linkLabel2, form.linkLabel3, form.linkLabel4};
}

// The help wraps at the window's width: no line of it ends in the middle of
// a sentence (a hard break there left "à" alone on a line), in French and
// English; it gives the measures the settings allow, how to handle the
// protractor by pointer and keys, and the path.
TEST(HelpDialogTest, HelpIsReflowedAndTellsTheRangeTheKeysAndThePath) {
  for (const bool english : {false, true}) {
    QTranslator translator;
    if (english) {
      if (!translator.load(QStringLiteral(GRADOIR_EN_QM))) GTEST_SKIP() << "no English translation built";
      QCoreApplication::installTranslator(&translator);
    }
    HelpDialog form;
    form.setShowHelp(true);
    EXPECT_TRUE(form.showHelp());
    const QString fresh = form.form().helpText->toPlainText();
    form.setMeasureRange(30, 150);
    const QString text = form.form().helpText->toPlainText();
    QCoreApplication::removeTranslator(&translator);
    SCOPED_TRACE(english ? "English" : "French");
    for (const QString& line : text.split(QLatin1Char('\n'))) {
      const QString end = line.trimmed().right(1);
      EXPECT_TRUE(line.isEmpty() || end == QLatin1String(".") || end == QLatin1String(":"))
          << line.toStdString();
    }
    const QString range = english ? QStringLiteral("between %1 and %2°") : QStringLiteral("entre %1 et %2°");
    EXPECT_TRUE(fresh.contains(range.arg(5).arg(175)));
    EXPECT_TRUE(text.contains(range.arg(30).arg(150)));
    EXPECT_FALSE(text.contains(QStringLiteral("175")));
    for (const QString& word : {QStringLiteral("F1"), QStringLiteral("Page"), QStringLiteral("centre"),
                                english ? QStringLiteral("Enter") : QStringLiteral("Entrée"),
                                english ? QStringLiteral("My path") : QStringLiteral("Mon parcours")}) {
      EXPECT_TRUE(text.contains(word)) << word.toStdString();
    }
  }
  HelpDialog form;
  EXPECT_FALSE(form.form().helpText->isReadOnly());  // the pupil may scribble in it
}

// The middle of a control, in the window.
QPoint middleOf(HelpDialog& form, QWidget* control) {
  return control->mapTo(&form, control->rect().center());
}

bool isPartOf(QWidget* seen, QWidget* control) {
  return seen == control || (seen != nullptr && control->isAncestorOf(seen));
}

TEST(HelpDialogTest, HelpCoversTheCreditsAndAboutShowsThem) {
  HelpDialog form;
  const Ui::HelpDialog& ui = form.form();
  const std::vector<QWidget*> credits = {ui.subtitleLabel, ui.linkLabel1,   ui.creditLabel1, ui.creditLabel2,
                                         ui.linkLabel2,    ui.creditLabel3, ui.linkLabel3,   ui.creditLabel4,
                                         ui.creditLabel5,  ui.linkLabel4};
  form.setShowHelp(false);
  form.show();
  EXPECT_FALSE(form.showHelp());
  std::vector<QPoint> creditPlaces;
  for (QWidget* control : credits) {
    creditPlaces.push_back(middleOf(form, control));
    EXPECT_EQ(form.childAt(creditPlaces.back()), control) << control->objectName().toStdString();
  }

  // Where the credits were, the help text is.
  form.setShowHelp(true);
  EXPECT_TRUE(form.showHelp());
  for (std::size_t i = 0; i < credits.size(); ++i) {
    EXPECT_TRUE(isPartOf(form.childAt(creditPlaces[i]), ui.helpText))
        << credits[i]->objectName().toStdString();
  }
  for (QWidget* control : {static_cast<QWidget*>(ui.titleLabel), static_cast<QWidget*>(ui.versionLabel),
                           static_cast<QWidget*>(ui.okButton)}) {
    EXPECT_EQ(form.childAt(middleOf(form, control)), control) << control->objectName().toStdString();
  }
  EXPECT_EQ(ui.titleLabel->text(), QStringLiteral("Gradoir"));
  EXPECT_EQ(ui.versionLabel->text(), QStringLiteral("(Juin 2004)"));
}

// Where a control's text would be cut: smaller than its text needs.
bool fitsItsText(const QWidget* control) {
  const auto* label = qobject_cast<const QLabel*>(control);
  if (label != nullptr && label->wordWrap()) return label->height() >= label->heightForWidth(label->width());
  const QSize needed = control->minimumSizeHint();
  return control->width() >= needed.width() && control->height() >= needed.height();
}

// In both languages and both uses, every control the pupil sees shows its
// whole text, inside the rounded window, and no two of them overlap.
TEST(HelpDialogTest, NothingOverlapsOrIsCutOffInFrenchAndEnglish) {
  for (const bool english : {false, true}) {
    QTranslator translator;
    if (english) {
      if (!translator.load(QStringLiteral(GRADOIR_EN_QM))) GTEST_SKIP() << "no English translation built";
      QCoreApplication::installTranslator(&translator);
    }
    HelpDialog form;
    QCoreApplication::removeTranslator(&translator);
    const Ui::HelpDialog& ui = form.form();
    if (english) {
      EXPECT_EQ(ui.creditLabel3->text(), QStringLiteral("Icons"));
    }
    for (const bool help : {true, false}) {
      SCOPED_TRACE(std::string(english ? "English" : "French") + (help ? ", help" : ", about"));
      form.setShowHelp(help);
      form.show();
      EXPECT_GE(form.width(), HelpDialog::kClientWidth);
      EXPECT_GE(form.height(), HelpDialog::kClientHeight);
      std::vector<std::pair<QWidget*, QRect>> seen;
      for (QWidget* control : std::initializer_list<QWidget*>{
               ui.titleLabel, ui.versionLabel, ui.subtitleLabel, ui.linkLabel1, ui.separatorLine,
               ui.creditLabel1, ui.creditLabel2, ui.linkLabel2, ui.creditLabel3, ui.linkLabel3,
               ui.creditLabel4, ui.creditLabel5, ui.linkLabel4, ui.helpText, ui.okButton}) {
        if (!control->isVisibleTo(&form)) continue;
        const std::string name = control->objectName().toStdString();
        const QRect place(control->mapTo(&form, QPoint(0, 0)), control->size());
        EXPECT_TRUE((QRegion(place) - form.mask()).isEmpty()) << name << " is cut by the window's edge";
        if (control != ui.helpText) {
          EXPECT_TRUE(fitsItsText(control)) << name << " cuts its text";
        }
        for (const auto& [other, otherPlace] : seen) {
          EXPECT_FALSE(place.intersects(otherPlace))
              << name << " overlaps " << other->objectName().toStdString();
        }
        seen.emplace_back(control, place);
      }
      EXPECT_EQ(seen.size(), help ? 4u : 14u);
    }
  }
}

TEST(HelpDialogTest, ClickingEachLinkOpensItsHint) {
  LinkRecorder recorder;
  HelpDialog form;
  form.setShowHelp(false);
  form.show();
  int mailLinks = 0;
  for (QLabel* link : linkLabels(form.form())) {
    const QString hint = link->property("hint").toString();
    ASSERT_FALSE(hint.isEmpty()) << link->objectName().toStdString();
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    recorder.opened.clear();
    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(recorder.opened.size(), 1u) << link->objectName().toStdString();
    const bool mail = hint.contains(QLatin1Char('@'));
    mailLinks += mail ? 1 : 0;
    EXPECT_EQ(recorder.opened[0], (mail ? "mailto:" : "http://") + hint);
  }
  EXPECT_EQ(mailLinks, 1);  // the second component's maker is written to
  EXPECT_TRUE(form.form().linkLabel1->toolTip().isEmpty());
  EXPECT_EQ(form.form().linkLabel3->toolTip(), form.form().linkLabel3->property("hint").toString());

  recorder.opened.clear();
  QTest::mouseClick(form.form().creditLabel2, Qt::LeftButton);  // an ordinary label is no link
  QTest::mouseClick(form.form().linkLabel2, Qt::RightButton);
  EXPECT_TRUE(recorder.opened.empty());
}

// A result no path of the window gives: the modal loop had to be broken.
constexpr int kStuck = 42;

// Runs the window modally; once its own event loop runs and it is active,
// calls `act`. Ends the window with kStuck if it outlives two seconds.
int execAndThen(HelpDialog& form, std::function<void()> act) {
  const int outerLevel = QThread::currentThread()->loopLevel();
  auto* poll = new QTimer(&form);
  QObject::connect(poll, &QTimer::timeout, &form, [&form, poll, outerLevel, act] {
    if (QThread::currentThread()->loopLevel() <= outerLevel || !form.isVisible()) return;
    poll->stop();
    if (!QTest::qWaitForWindowActive(&form)) return;
    act();
  });
  poll->start(10);
  QTimer::singleShot(2000, &form, [&form] { form.done(kStuck); });
  return form.exec();
}

// Runs the window modally and presses a key on the control holding the focus.
int execAndPress(HelpDialog& form, Qt::Key key, QWidget** focused) {
  return execAndThen(form, [&form, key, focused] {
    QWidget* target = QApplication::focusWidget();
    *focused = target;
    QTest::keyClick(target != nullptr ? target : &form, key);
  });
}

TEST(HelpDialogTest, OkEnterAndEscapeCloseWithOk) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    HelpDialog form;
    form.setShowHelp(true);
    QWidget* focused = nullptr;
    EXPECT_EQ(execAndPress(form, key, &focused), QDialog::Accepted) << key;
    EXPECT_EQ(focused, form.form().okButton) << "the button has the focus on opening";
    EXPECT_FALSE(form.isVisible());
  }
  HelpDialog form;
  EXPECT_EQ(execAndThen(form, [&form] { form.form().okButton->click(); }), QDialog::Accepted);
}

TEST(HelpDialogTest, WindowIsARoundedBorderlessShape) {
  HelpDialog form;
  EXPECT_EQ(form.size(), QSize(289, 286));
  EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
  const QRegion shape = form.mask();
  for (QPoint corner :
       {QPoint(0, 0), QPoint(288, 0), QPoint(0, 285), QPoint(288, 285), QPoint(4, 4), QPoint(284, 281)}) {
    EXPECT_FALSE(shape.contains(corner)) << corner.x() << "," << corner.y();
  }
  for (QPoint inside : {QPoint(144, 0), QPoint(0, 143), QPoint(288, 143), QPoint(144, 285), QPoint(12, 12),
                        QPoint(276, 273), QPoint(144, 143)}) {
    EXPECT_TRUE(shape.contains(inside)) << inside.x() << "," << inside.y();
  }
  const QImage image = form.grab().toImage();
  const QRgb border = qRgb(160, 168, 255);
  EXPECT_EQ(image.pixel(144, 0), border);
  EXPECT_EQ(image.pixel(0, 143), border);
  EXPECT_EQ(image.pixel(288, 143), border);
  EXPECT_EQ(image.pixel(144, 285), border);
  EXPECT_EQ(image.pixel(144, 1), qRgb(235, 235, 255));
}

}  // namespace
}  // namespace gradoir::test
