#pragma once
// ExerciseChooser: what an idle canvas shows, before the first series and
// after each one ends: "Choisis un exercice :", one large button per kind
// of exercise and a third for the pupil's path ("Mon parcours"), whose menu
// the owner gives. It floats centred over its parent and follows its resizes.
// The owner gives the buttons their pictures and decides what they start.
#include <QIcon>
#include <QWidget>
#include <functional>

class QLabel;
class QMenu;
class QToolButton;

namespace gradoir {

class ExerciseChooser : public QWidget {
  Q_OBJECT

 public:
  // Large enough to hit with a finger on a whiteboard.
  static constexpr int kMinButtonHeight = 48;
  static constexpr int kIconSide = 32;

  explicit ExerciseChooser(QWidget* parent = nullptr);

  QToolButton* measureButton() const { return m_measure; }
  QToolButton* drawButton() const { return m_draw; }
  QToolButton* pathButton() const { return m_path; }
  QLabel* title() const { return m_title; }

  // The button pictures; small pictures are enlarged by whole pixels so that
  // they stay crisp at the buttons' icon size.
  void setIcons(const QIcon& measure, const QIcon& draw);
  // What the path button offers: it opens `menu` (not owned).
  void setPathMenu(QMenu* menu);

  // Centres the chooser in its parent at its preferred size.
  void centreInParent();

 signals:
  void measureChosen();
  void drawChosen();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QToolButton* addChoice(const QString& text, const QString& objectName);

  QLabel* m_title = nullptr;     // children, owned by Qt parenting
  QToolButton* m_measure = nullptr;
  QToolButton* m_draw = nullptr;
  QToolButton* m_path = nullptr;
};

// `icon` with, where it has no picture of `side` pixels or more, one made by
// repeating each pixel of its largest picture (the nearest whole factor).
QIcon crispIcon(const QIcon& icon, int side);

}  // namespace gradoir
