#include "app/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

#include "canvas/exercise_canvas.h"
#include "figures/angle.h"
#include "raster/geometry.h"
#include "raster/rounding.h"
#include "ui/floating_panel.h"
#include "ui_main_window.h"

namespace gradoir {

namespace {

QString tryStateWord(TryState state) {
  switch (state) {
    case TryState::Right:
      return WindowAccessibility::tr("juste");
    case TryState::Wrong:
      return WindowAccessibility::tr("faux");
    case TryState::Pending:
      break;
  }
  return WindowAccessibility::tr("pas encore");
}

// Readers call the exercise a canvas, a picture to work on, not a panel.
QAccessibleInterface* canvasInterface(const QString& className, QObject* object) {
  if (className != QLatin1String("gradoir::ExerciseCanvas") || !object->isWidgetType()) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Canvas);
}

}  // namespace

QString tryLampsName(const TryStates& tries) {
  //: Followed by the state of each of the three tries, separated by commas.
  return WindowAccessibility::tr("Essais : %1, %2, %3")
      .arg(tryStateWord(tries[0]), tryStateWord(tries[1]), tryStateWord(tries[2]));
}

QString protractorDescription(const std::optional<ProtractorPose>& pose, std::optional<QPoint> vertex) {
  if (!pose) return WindowAccessibility::tr("Le rapporteur est caché.");
  const QPoint centre(roundHalfEven(pose->centreX), roundHalfEven(pose->centreY));
  const std::int64_t turn = ((pose->orientation % 360) + 360) % 360;
  QString text = WindowAccessibility::tr(
                     "Le rapporteur a son centre en (%1, %2) et est tourné de %3° "
                     "dans le sens des aiguilles d'une montre.")
                     .arg(centre.x())
                     .arg(centre.y())
                     .arg(turn);
  if (!vertex) return text;
  text += QLatin1Char(' ');
  if (*vertex == centre) {
    text += WindowAccessibility::tr("Son centre est sur le sommet de l'angle.");
  } else {
    text += WindowAccessibility::tr("Le sommet de l'angle est en (%1, %2).").arg(vertex->x()).arg(vertex->y());
  }
  return text;
}

WindowAccessibility::WindowAccessibility(Ui::MainWindow& form, QObject* parent)
    : QObject(parent), m_form(form) {
  static const bool factoryInstalled = (QAccessible::installFactory(canvasInterface), true);
  Q_UNUSED(factoryInstalled);
  nameControls();
  // The picture changes whenever the protractor moves or turns, whatever
  // moved it; a hidden or shown protractor changes no picture of its own.
  connect(m_form.canvas, &LayeredView::pictureChanged, this, &WindowAccessibility::updateCanvasDescription);
  connect(m_form.protractorButton, &QToolButton::clicked, this, [this] { updateCanvasDescription(); });
  connect(m_form.centerProtractorButton, &QToolButton::clicked, this, [this] { updateCanvasDescription(); });
  exerciseStarted(tr("Choisis un exercice dans le menu Exercice."));
}

WindowAccessibility::~WindowAccessibility() = default;

void WindowAccessibility::nameControls() {
  Ui::MainWindow& f = m_form;
  f.checkButton->setAccessibleName(tr("Vérifier"));
  f.checkButton->setAccessibleDescription(tr("Vérifier la réponse"));
  f.nextButton->setAccessibleName(tr("Suite"));
  f.nextButton->setAccessibleDescription(tr("Exercice suivant"));
  f.pencilButton->setAccessibleName(tr("Crayon"));
  f.moveTurnButton->setAccessibleName(tr("Déplacer et tourner le rapporteur"));
  f.protractorButton->setAccessibleName(tr("Afficher ou cacher le rapporteur"));
  f.centerProtractorButton->setAccessibleName(tr("Centrer le rapporteur"));
  f.answerEdit->setAccessibleName(tr("Réponse"));
  f.answerEdit->setAccessibleDescription(tr("Mesure de l'angle en degrés"));
  f.verdictLabel->setAccessibleDescription(tr("Verdict de l'essai"));
  f.scoreLabel->setAccessibleDescription(tr("Exercices réussis sur exercices faits"));
  f.tryLamps->setAccessibleDescription(tr("Un voyant par essai"));
  f.toolBar->setAccessibleName(tr("Outils du rapporteur"));
  f.toolBox->setAccessibleName(f.toolBox->caption());
  f.canvas->setAccessibleName(tr("Exercice"));
}

void WindowAccessibility::measuringStarted() { exerciseStarted(tr("Mesure l'angle tracé.")); }

void WindowAccessibility::drawingStarted(std::int32_t measure) {
  exerciseStarted(tr("Trace un angle de %1° à partir du sommet.").arg(measure));
}

void WindowAccessibility::exerciseStarted(const QString& task) {
  m_task = task;
  m_tries = {};
  m_form.tryLamps->setAccessibleName(tryLampsName(m_tries));
  // The label shows blanks under the answer box; its name says the task.
  m_form.statementLabel->setAccessibleName(task);
  updateCanvasDescription();
}

void WindowAccessibility::verdictShown(std::int32_t tryNumber, bool right, bool repeated) {
  if (tryNumber >= 1 && tryNumber <= static_cast<std::int32_t>(m_tries.size())) {
    m_tries[static_cast<std::size_t>(tryNumber - 1)] = right ? TryState::Right : TryState::Wrong;
    m_form.tryLamps->setAccessibleName(tryLampsName(m_tries));
  }
  // A label tells of its new text itself, but keeps quiet when the same
  // verdict follows itself (two wrong drawings in a row): that one is told here.
  if (repeated) {
    QAccessibleEvent event(m_form.verdictLabel, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
  }
}

void WindowAccessibility::updateCanvasDescription() {
  ExerciseCanvas& canvas = *m_form.canvas;
  std::optional<QPoint> vertex;
  if (const AngleFigure* angle = canvas.angle()) {
    const Point v = roundPoint(angle->vertex());
    vertex = QPoint(v.x, v.y);
  }
  const QString description = m_task + QLatin1Char(' ') + protractorDescription(canvas.protractorPose(), vertex);
  // Turning the protractor redraws it many times a second: only a change is told.
  if (description != m_form.canvas->accessibleDescription()) {
    m_form.canvas->setAccessibleDescription(description);
  }
}

}  // namespace gradoir
