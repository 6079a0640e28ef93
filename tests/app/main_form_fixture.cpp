#include "main_form_fixture.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTest>

namespace gradoir::test {

void MainFormTest::Start(const QByteArray& ini) {
  const QString path = dir_.filePath(QStringLiteral("Grado.ini"));
  if (!ini.isEmpty()) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ini);
  }
  form_ = std::make_unique<TMainForm>(path);
  form_->resize(1000, 700);
  form_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
}

void MainFormTest::TearDown() { form_.reset(); }

QColor MainFormTest::Lamp(int lamp) const {
  const QImage picture = Label("ImageLed")->pixmap().toImage();
  return picture.pixelColor(15 * lamp - 7, 8);
}

QColor MainFormTest::VerdictColour() const {
  return Label("LblReponse")->palette().color(QPalette::WindowText);
}

void MainFormTest::Type(const QString& text) {
  Answer()->clear();
  QTest::keyClicks(Answer(), text);
  QTest::keyClick(Answer(), Qt::Key_Return);
}

void MainFormTest::PressEnterOnFocus() {
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  QTest::keyClick(focus, Qt::Key_Return);
}

}  // namespace gradoir::test
