#include "ui/help_dialog.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <algorithm>

namespace gradoir {

namespace {

const QColor kBorderColor(160, 168, 255);

// The window's shape: a rectangle whose corners are quarter ellipses of the
// given size, built exactly from rectangles and ellipses.
QRegion roundedRegion(const QRect& r, int cornerWidth, int cornerHeight) {
  const int cw = std::min(cornerWidth, r.width());
  const int ch = std::min(cornerHeight, r.height());
  QRegion region(r.adjusted(cw / 2, 0, -(cw / 2), 0));
  region += QRegion(r.adjusted(0, ch / 2, 0, -(ch / 2)));
  const QSize corner(cw, ch);
  region += QRegion(QRect(r.topLeft(), corner), QRegion::Ellipse);
  region += QRegion(QRect(QPoint(r.right() - cw + 1, r.top()), corner), QRegion::Ellipse);
  region += QRegion(QRect(QPoint(r.left(), r.bottom() - ch + 1), corner), QRegion::Ellipse);
  region += QRegion(QRect(QPoint(r.right() - cw + 1, r.bottom() - ch + 1), corner), QRegion::Ellipse);
  return region;
}

}  // namespace

HelpDialog::HelpDialog(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
  m_ui.setupUi(this);
  setMeasureRange(5, 175);
  setUpWindow();
}

// Paragraphs without line breaks of their own: the text wraps at the
// window's width, in any language and font.
void HelpDialog::setMeasureRange(int minimum, int maximum) {
  const QStringList paragraphs{
      tr("Gradoir (le logiciel) permet de s'entraîner à l'utilisation du gradoir (l'instrument)."),
      tr("Deux activités sont proposées : mesurer un angle tracé, tracer un angle de mesure donnée. Les mesures "
         "sont tirées au hasard entre %1 et %2°. Trois essais sont possibles par exercice.")
          .arg(minimum)
          .arg(maximum),
      tr("Mon parcours : le programme choisit le niveau. Il passe au niveau suivant après 4 exercices réussis du "
         "premier coup parmi les 5 derniers, et revient au niveau d'avant après 3 exercices manqués."),
      tr("Comment faire :") + QLatin1Char('\n') +
          tr("• Tire le rapporteur par son centre pour le déplacer, par un bout de son bord droit pour le "
             "tourner.") +
          QLatin1Char('\n') +
          tr("• Pose son centre sur le sommet et le 0 sur un côté, puis lis la graduation où passe l'autre "
             "côté. Tape la mesure et appuie sur Entrée.") +
          QLatin1Char('\n') +
          tr("• Pour tracer, prends le crayon et trace le second côté depuis le sommet.") + QLatin1Char('\n') +
          tr("• Au clavier : les flèches déplacent le rapporteur (Maj : 10 pixels), Page préc. et Page suiv. le "
             "tournent d'un degré (Maj : 10). Avec le crayon, les flèches déplacent la croix et Espace trace. "
             "Entrée vérifie ou passe à la suite, F1 ouvre cette aide."),
      tr("Quelques réglages, via le fichier Grado.ini : nombre d'exercices par série, sommet aimanté, côté "
         "horizontal, explications et correction, niveau (pas, intervalle et tolérance des mesures, rapporteur "
         "déjà placé, estimation d'abord), liste des élèves et enregistrement des résultats."),
  };
  m_ui.helpText->setPlainText(paragraphs.join(QStringLiteral("\n\n")));
}

void HelpDialog::setUpWindow() {
  setModal(true);
  // The usual size, or what longer texts or larger fonts need; the window
  // has no frame to be resized by.
  const int width = std::max(kClientWidth, sizeHint().width());
  const int height =
      std::max(kClientHeight,
               layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width) : sizeHint().height());
  setFixedSize(width, height);
  setMask(roundedRegion(rect(), kCornerSize, kCornerSize));
  for (QLabel* link : {m_ui.linkLabel1, m_ui.linkLabel2, m_ui.linkLabel3, m_ui.linkLabel4}) {
    link->installEventFilter(this);
  }
  m_ui.okButton->setFocus(Qt::OtherFocusReason);
}

void HelpDialog::setShowHelp(bool showHelp) {
  m_ui.pages->setCurrentWidget(showHelp ? m_ui.helpPage : m_ui.creditsPage);
}

bool HelpDialog::showHelp() const { return m_ui.pages->currentWidget() == m_ui.helpPage; }

std::function<void(const QUrl&)>& HelpDialog::urlOpener() {
  static std::function<void(const QUrl&)> opener = [](const QUrl& url) {
    QDesktopServices::openUrl(url);  // nothing happens when nothing can open it
  };
  return opener;
}

QUrl HelpDialog::linkTarget(const QString& hint) {
  return QUrl(hint.contains(QLatin1Char('@')) ? QStringLiteral("mailto:") + hint
                                              : QStringLiteral("http://") + hint);
}

void HelpDialog::URLLblClick(QLabel* sender) {
  if (sender == nullptr) return;
  const QString hint = sender->property("hint").toString();
  if (hint.isEmpty()) return;
  if (const auto& open = urlOpener()) open(linkTarget(hint));
}

void HelpDialog::reject() { accept(); }

void HelpDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  painter.setPen(kBorderColor);
  painter.setBrush(Qt::NoBrush);
  const qreal radius = kCornerSize / 2.0;
  painter.drawRoundedRect(QRect(0, 0, width() - 1, height() - 1), radius, radius);
}

// A window whose size changes after it is set up (a larger font, say)
// keeps its rounded shape.
void HelpDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  setMask(roundedRegion(rect(), kCornerSize, kCornerSize));
}

void HelpDialog::showEvent(QShowEvent* event) {
  if (const QScreen* s = screen()) move(s->geometry().center() - rect().center());
  QDialog::showEvent(event);
}

bool HelpDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* label = qobject_cast<QLabel*>(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (label != nullptr && mouse->button() == Qt::LeftButton &&
        label->rect().contains(mouse->position().toPoint())) {
      URLLblClick(label);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace gradoir
