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

#include "app/main_form.h"
#include "canvas/grado_img32.h"
#include "ui/floating_window.h"

namespace gradoir::test {

inline const QColor kWhite(255, 255, 255);
inline const QColor kGreen(0, 128, 0);
inline const QColor kRed(255, 0, 0);

class MainFormTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // Creates and shows the window; `ini` is the content of its "Grado.ini"
  // (no file at all when empty).
  void Start(const QByteArray& ini = {});

  template <class T>
  T* Find(const char* name) const {
    T* w = form_->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QAction* Action(const char* name) const { return Find<QAction>(name); }
  QLineEdit* Answer() const { return Find<QLineEdit>("EditReponse"); }
  QLabel* Label(const char* name) const { return Find<QLabel>(name); }
  QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
  QToolButton* Tool(const char* name) const { return Find<QToolButton>(name); }
  TGradoImg32& Canvas() const { return form_->Canvas(); }
  TFloatingWindow& ToolBox() const { return form_->ToolBox(); }

  // Colour of the core of lamp 1, 2 or 3 in the tool box's picture.
  QColor Lamp(int lamp) const;
  QColor VerdictColour() const;

  // Types `text` into the answer box (emptied first) and presses Enter there.
  void Type(const QString& text);
  void AnswerRight() { Type(QString::number(Canvas().AngleMeasure())); }
  void AnswerWrong() { Type(QString::number(WrongMeasure())); }
  std::int32_t WrongMeasure() const { return Canvas().AngleMeasure() == 100 ? 101 : 100; }
  // Enter where the focus is, as the pupil presses it.
  void PressEnterOnFocus();

  QTemporaryDir dir_;
  std::unique_ptr<TMainForm> form_;
};

}  // namespace gradoir::test
