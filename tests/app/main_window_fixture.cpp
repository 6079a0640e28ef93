#include "main_window_fixture.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTest>

namespace gradoir::test {

void MainWindowTest::start(const QByteArray& ini) {
  const QString path = m_dir.filePath(QStringLiteral("Grado.ini"));
  // The tests written before the teaching aids expect the window without
  // them; a test that wants them says so with its own [Aide] section.
  const QByteArray content =
      ini.toLower().contains("[aide]") ? ini : ini + "\n[Aide]\nExplications=0\nCorrection=0\n";
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }
  m_form = std::make_unique<MainWindow>(path);
  m_form->resize(1000, 700);
  m_form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
  m_form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
}

void MainWindowTest::TearDown() { m_form.reset(); }

QColor MainWindowTest::lamp(int lamp) const {
  const QImage picture = label("tryLamps")->pixmap().toImage();
  return picture.pixelColor(15 * lamp - 7, 8);
}

QColor MainWindowTest::verdictColour() const {
  return label("verdictLabel")->palette().color(QPalette::WindowText);
}

void MainWindowTest::type(const QString& text) {
  answer()->clear();
  QTest::keyClicks(answer(), text);
  QTest::keyClick(answer(), Qt::Key_Return);
}

void MainWindowTest::pressEnterOnFocus() {
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  QTest::keyClick(focus, Qt::Key_Return);
}

}  // namespace gradoir::test
