#pragma once
// A real main window on the offscreen platform, with its settings file in a
// temporary folder, and the few gestures the tests repeat.
#include <gtest/gtest.h>

#include <QAction>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <memory>

#include "app/main_window.h"
#include "canvas/exercise_canvas.h"
#include "figures/angle.h"
#include "series/series_controller.h"
#include "ui/floating_panel.h"

namespace gradoir::test {

inline const QColor kWhite(255, 255, 255);
inline const QColor kGreen(0, 128, 0);
inline const QColor kRed(255, 0, 0);

class MainWindowTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // Creates and shows the window; `ini` is the content of its "Grado.ini",
  // with the teaching aids switched off unless it has an [Aide] section.
  void start(const QByteArray& ini = {});

  template <class T>
  T* find(const char* name) const {
    T* w = m_form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QAction* action(const char* name) const { return find<QAction>(name); }
  QLineEdit* answer() const { return find<QLineEdit>("answerEdit"); }
  QLabel* label(const char* name) const { return find<QLabel>(name); }
  QPushButton* button(const char* name) const { return find<QPushButton>(name); }
  QToolButton* tool(const char* name) const { return find<QToolButton>(name); }
  ExerciseCanvas& canvas() const { return m_form->canvas(); }
  FloatingPanel& toolBox() const { return m_form->toolBox(); }

  // Colour of the core of lamp 1, 2 or 3 in the tool box's picture.
  QColor lamp(int lamp) const;
  QColor verdictColour() const;

  // Types `text` into the answer box (emptied first) and presses Enter there.
  void type(const QString& text);
  void answerRight() { type(QString::number(canvas().angleMeasure().value_or(0))); }
  // A drawn second side of the given signed measure, as the pencil leaves it.
  void drawSide(std::int32_t measure) {
    gradoir::AngleGeometry g = canvas().angle()->geometry();
    g.secondEnd = g.generatedEnd;
    g.measure = measure;
    canvas().setAngle(g);
  }
  void answerWrong() { type(QString::number(wrongMeasure())); }
  std::int32_t wrongMeasure() const { return canvas().angleMeasure() == 100 ? 101 : 100; }
  // Enter where the focus is, as the pupil presses it.
  void pressEnterOnFocus();

  QTemporaryDir m_dir;
  std::unique_ptr<MainWindow> m_form;
};

}  // namespace gradoir::test
