#pragma once
// What a screen reader gets from the main window: a name for every control
// (the icon buttons show no text), the try lamps' states in words, the
// exercise canvas's statement with the protractor's place and turn, and an
// event each time one of them or the verdict changes.
#include <QObject>
#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "figures/protractor_pose.h"

namespace Ui {
class MainWindow;
}

namespace gradoir {

enum class TryState : std::uint8_t { Pending, Right, Wrong };
using TryStates = std::array<TryState, 3>;

// "Essais : faux, juste, pas encore".
QString tryLampsName(const TryStates& tries);

// One or two sentences: the protractor's centre (rounded to whole pixels)
// and turn, and the vertex (or that the centre lies on it); that it is
// hidden when there is no pose. No vertex before the first exercise.
QString protractorDescription(const std::optional<ProtractorPose>& pose, std::optional<QPoint> vertex);

class WindowAccessibility : public QObject {
  Q_OBJECT

 public:
  // Names the controls of `form`, which must outlive this object.
  WindowAccessibility(Ui::MainWindow& form, QObject* parent);
  // Unhooks from the canvas: delete this before the form's widgets go.
  ~WindowAccessibility() override;

  void measuringStarted();
  void drawingStarted(std::int32_t measure);
  // After the verdict of try 1..3 is shown and its lamp lit; `repeated`: the
  // verdict label already showed that text.
  void verdictShown(std::int32_t tryNumber, bool right, bool repeated);

  const TryStates& tries() const { return m_tries; }
  // The canvas's description from its present state; an event when it changed.
  void updateCanvasDescription();

 private:
  void nameControls();
  void exerciseStarted(const QString& task);

  Ui::MainWindow& m_form;
  QString m_task;
  TryStates m_tries{};
};

}  // namespace gradoir
