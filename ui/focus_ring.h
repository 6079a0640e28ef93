#pragma once
// FocusRing: a frame drawn around whichever of its tracked widgets holds the
// keyboard focus, so that a pupil moving with Tab sees where the keys go.
// Styles draw no focus for flat line edits and raised-on-hover tool
// buttons; one ring of the same colour everywhere reads better anyway.
#include <QList>
#include <QPointer>
#include <QWidget>

namespace gradoir {

class FocusRing : public QWidget {
  Q_OBJECT

 public:
  // Parented to `owner` until a tracked widget takes the focus; from then
  // on to that widget's parent, drawn over the widget's edge.
  explicit FocusRing(QWidget* owner);

  void track(QWidget* widget);
  // The widget the ring is drawn around, or nullptr while it is hidden.
  QWidget* target() const { return m_target; }

  static constexpr int kWidth = 2;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void follow(QWidget* now);

  QList<QPointer<QWidget>> m_tracked;
  QPointer<QWidget> m_target;
};

}  // namespace gradoir
