// The help and about window: contents for each use, links, closing, shape.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>
#include <vector>

#include "ui/help_form.h"
#include "ui_helpform.h"

namespace gradoir::test {
namespace {

// Records the links the window asks to open instead of starting a browser.
class LinkRecorder {
 public:
  LinkRecorder() : saved_(THelpForm::UrlOpener()) {
    THelpForm::UrlOpener() = [this](const QUrl& url) { opened.push_back(url.toString()); };
  }
  ~LinkRecorder() { THelpForm::UrlOpener() = saved_; }
  std::vector<QString> opened;

 private:
  std::function<void(const QUrl&)> saved_;
};

std::vector<QLabel*> LinkLabels(const Ui::HelpForm& form) {
  return {form.URLLbl1, form.URLLbl2, form.URLLbl3, form.URLLbl4};
}

TEST(HelpFormTest, HelpShowsTheFifteenLinesExactly) {
  THelpForm form;
  form.SetShowHelp(true);
  EXPECT_TRUE(form.ShowHelp());
  const QStringList lines = form.Form().Memo1->toPlainText().split(QLatin1Char('\n'));
  const QStringList expected = {
      QStringLiteral("Gradoir (le logiciel) permet de s'entraîner à "),
      QStringLiteral("l'utilisation du gradoir (l'instrument)."),
      QString(),
      QStringLiteral("Deux activités sont proposées :"),
      QStringLiteral("* mesurer un angle tracé ;"),
      QStringLiteral("* tracer un angle de mesure donnée."),
      QString(),
      QStringLiteral("Les mesures d'angles sont générées aléatoirement "),
      QStringLiteral("(entre 5 et 175°). Trois essais sont possibles, par "),
      QStringLiteral("exercice."),
      QString(),
      QStringLiteral("Quelques réglages, via le fichier Grado.ini :"),
      QStringLiteral("* nombre d'exercices par série (10 par défaut) ;"),
      QStringLiteral("* sommet de l'angle aimanté (oui par défaut) ;"),
      QStringLiteral("* un côté de l'angle horizontal (non par défaut)."),
  };
  EXPECT_EQ(lines, expected);
  EXPECT_FALSE(form.Form().Memo1->isReadOnly());  // the pupil may scribble in it
}

// What the pupil sees at a point of the window: the topmost control there.
QWidget* SeenAt(THelpForm& form, QWidget* control) {
  return form.childAt(control->geometry().center());
}

bool IsPartOf(QWidget* seen, QWidget* control) {
  return seen == control || (seen != nullptr && control->isAncestorOf(seen));
}

TEST(HelpFormTest, HelpCoversTheCreditsAndAboutShowsThem) {
  THelpForm form;
  const Ui::HelpForm& ui = form.Form();
  const std::vector<QWidget*> credits = {ui.Lbl2, ui.URLLbl1, ui.Lbl4, ui.Lbl5, ui.URLLbl2,
                                         ui.Lbl6, ui.URLLbl3, ui.Lbl7, ui.Lbl8, ui.URLLbl4};
  form.SetShowHelp(true);
  form.show();
  for (QWidget* control : credits) {
    EXPECT_TRUE(IsPartOf(SeenAt(form, control), ui.Memo1)) << control->objectName().toStdString();
  }
  for (QWidget* control : {static_cast<QWidget*>(ui.Lbl1), static_cast<QWidget*>(ui.Lbl10),
                           static_cast<QWidget*>(ui.OKBtn)}) {
    EXPECT_EQ(SeenAt(form, control), control) << control->objectName().toStdString();
  }

  form.SetShowHelp(false);
  EXPECT_FALSE(form.ShowHelp());
  for (QWidget* control : credits) {
    EXPECT_EQ(SeenAt(form, control), control) << control->objectName().toStdString();
  }
  EXPECT_EQ(ui.Lbl1->text(), QStringLiteral("Gradoir"));
  EXPECT_EQ(ui.Lbl10->text(), QStringLiteral("(Juin 2004)"));
}

TEST(HelpFormTest, CreditLabelsDoNotRunIntoTheirLinks) {
  THelpForm form;
  form.SetShowHelp(false);
  form.show();
  const Ui::HelpForm& ui = form.Form();
  for (auto [name, link] : {std::pair{ui.Lbl5, ui.URLLbl2}, std::pair{ui.Lbl6, ui.URLLbl3},
                            std::pair{ui.Lbl8, ui.URLLbl4}}) {
    EXPECT_LT(name->geometry().right(), link->geometry().left())
        << name->objectName().toStdString();
  }
  for (QWidget* control : form.findChildren<QWidget*>()) {
    if (control->parentWidget() != &form) continue;
    EXPECT_TRUE(form.rect().contains(control->geometry())) << control->objectName().toStdString();
  }
}

TEST(HelpFormTest, ClickingEachLinkOpensItsHint) {
  LinkRecorder recorder;
  THelpForm form;
  form.SetShowHelp(false);
  form.show();
  int mailLinks = 0;
  for (QLabel* link : LinkLabels(form.Form())) {
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
  EXPECT_TRUE(form.Form().URLLbl1->toolTip().isEmpty());
  EXPECT_EQ(form.Form().URLLbl3->toolTip(), form.Form().URLLbl3->property("hint").toString());

  recorder.opened.clear();
  QTest::mouseClick(form.Form().Lbl5, Qt::LeftButton);  // an ordinary label is no link
  QTest::mouseClick(form.Form().URLLbl2, Qt::RightButton);
  EXPECT_TRUE(recorder.opened.empty());
}

// A result no path of the window gives: the modal loop had to be broken.
constexpr int kStuck = 42;

// Runs the window modally; once its own event loop runs and it is active,
// calls `act`. Ends the window with kStuck if it outlives two seconds.
int ExecAndThen(THelpForm& form, std::function<void()> act) {
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
int ExecAndPress(THelpForm& form, Qt::Key key, QWidget** focused) {
  return ExecAndThen(form, [&form, key, focused] {
    QWidget* target = QApplication::focusWidget();
    *focused = target;
    QTest::keyClick(target != nullptr ? target : &form, key);
  });
}

TEST(HelpFormTest, OkEnterAndEscapeCloseWithOk) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    THelpForm form;
    form.SetShowHelp(true);
    QWidget* focused = nullptr;
    EXPECT_EQ(ExecAndPress(form, key, &focused), QDialog::Accepted) << key;
    EXPECT_EQ(focused, form.Form().OKBtn) << "the button has the focus on opening";
    EXPECT_FALSE(form.isVisible());
  }
  THelpForm form;
  EXPECT_EQ(ExecAndThen(form, [&form] { form.Form().OKBtn->click(); }), QDialog::Accepted);
}

TEST(HelpFormTest, WindowIsARoundedBorderlessShape) {
  THelpForm form;
  EXPECT_EQ(form.size(), QSize(289, 286));
  EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
  const QRegion shape = form.mask();
  for (QPoint corner : {QPoint(0, 0), QPoint(288, 0), QPoint(0, 285), QPoint(288, 285),
                        QPoint(4, 4), QPoint(284, 281)}) {
    EXPECT_FALSE(shape.contains(corner)) << corner.x() << "," << corner.y();
  }
  for (QPoint inside : {QPoint(144, 0), QPoint(0, 143), QPoint(288, 143), QPoint(144, 285),
                        QPoint(12, 12), QPoint(276, 273), QPoint(144, 143)}) {
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
