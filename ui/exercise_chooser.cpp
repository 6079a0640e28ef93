#include "ui/exercise_chooser.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace gradoir {

namespace {

// The tool box's colours, so both floating pieces look alike.
const QColor kPanelColor(240, 240, 255);
const QColor kFrameColor(170, 170, 255);
constexpr int kTitlePixels = 18;
constexpr int kButtonPixels = 15;

}  // namespace

ExerciseChooser::ExerciseChooser(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("exerciseChooser"));
  QPalette p = palette();
  p.setColor(QPalette::Window, kPanelColor);
  setPalette(p);

  m_title = new QLabel(tr("Choisis un exercice :"), this);
  m_title->setObjectName(QStringLiteral("chooserTitle"));
  QFont titleFont = m_title->font();
  titleFont.setPixelSize(kTitlePixels);
  titleFont.setBold(true);
  m_title->setFont(titleFont);
  m_title->setAlignment(Qt::AlignCenter);

  m_measure = addChoice(tr("Mesurer un angle"), QStringLiteral("chooseMeasureButton"));
  m_draw = addChoice(tr("Tracer un angle"), QStringLiteral("chooseDrawButton"));
  m_path = addChoice(tr("Mon parcours"), QStringLiteral("choosePathButton"));
  m_path->setPopupMode(QToolButton::InstantPopup);
  connect(m_measure, &QToolButton::clicked, this, &ExerciseChooser::measureChosen);
  connect(m_draw, &QToolButton::clicked, this, &ExerciseChooser::drawChosen);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(16);
  buttons->addWidget(m_measure);
  buttons->addWidget(m_draw);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(20, 16, 20, 20);
  column->setSpacing(14);
  column->addWidget(m_title);
  column->addLayout(buttons);
  // Below the two, as wide as both: the program chooses the level there.
  column->addWidget(m_path);

  if (parent != nullptr) parent->installEventFilter(this);
}

QToolButton* ExerciseChooser::addChoice(const QString& text, const QString& objectName) {
  auto* button = new QToolButton(this);
  button->setObjectName(objectName);
  button->setText(text);
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setIconSize(QSize(kIconSide, kIconSide));
  button->setMinimumHeight(kMinButtonHeight);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  QFont font = button->font();
  font.setPixelSize(kButtonPixels);
  button->setFont(font);
  return button;
}

void ExerciseChooser::setIcons(const QIcon& measure, const QIcon& draw) {
  m_measure->setIcon(crispIcon(measure, kIconSide));
  m_draw->setIcon(crispIcon(draw, kIconSide));
  // Two buttons of one width, with room around their picture and text.
  constexpr int kPadding = 12;
  const int width = std::max(m_measure->sizeHint().width(), m_draw->sizeHint().width()) + 2 * kPadding;
  m_measure->setMinimumWidth(width);
  m_draw->setMinimumWidth(width);
  centreInParent();
}

void ExerciseChooser::setPathMenu(QMenu* menu) {
  m_path->setMenu(menu);
  centreInParent();
}

void ExerciseChooser::centreInParent() {
  const QWidget* parent = parentWidget();
  if (parent == nullptr) return;
  // Never larger than the parent, so that the buttons stay within reach.
  const QSize size = sizeHint().boundedTo(parent->size()).expandedTo(minimumSizeHint().boundedTo(parent->size()));
  setGeometry(QRect(QPoint((parent->width() - size.width()) / 2, (parent->height() - size.height()) / 2), size));
}

bool ExerciseChooser::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) centreInParent();
  return QWidget::eventFilter(watched, event);
}

void ExerciseChooser::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kPanelColor);
  painter.setPen(kFrameColor);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QIcon crispIcon(const QIcon& icon, int side) {
  const QList<QSize> sizes = icon.availableSizes();
  if (sizes.isEmpty()) return icon;
  const QSize largest = *std::max_element(sizes.begin(), sizes.end(), [](QSize a, QSize b) {
    return a.width() * a.height() < b.width() * b.height();
  });
  const int factor = side / std::max(1, std::max(largest.width(), largest.height()));
  if (factor < 2) return icon;
  // Whole-pixel enlargement: each pixel becomes a factor x factor block.
  const QPixmap big = icon.pixmap(largest).scaled(largest * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  QIcon result(icon);
  result.addPixmap(big);
  return result;
}

}  // namespace gradoir
