#include "ui/pupil_chooser.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace gradoir {

std::optional<QString> choosePupil(QWidget* parent, const QStringList& names, const QString& current) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("pupilChooser"));
  dialog.setWindowTitle(QCoreApplication::translate("gradoir::PupilChooser", "Élève"));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QCoreApplication::translate("gradoir::PupilChooser", "Choisis ton nom :"), &dialog));
  auto* list = new QListWidget(&dialog);
  list->setObjectName(QStringLiteral("pupilList"));
  list->addItem(kAnonymousPupil);
  list->addItems(names);
  const QList<QListWidgetItem*> found = list->findItems(current, Qt::MatchExactly);
  list->setCurrentItem(found.isEmpty() ? list->item(0) : found.first());
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* ok =
      buttons->addButton(QCoreApplication::translate("gradoir::PupilChooser", "OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QCoreApplication::translate("gradoir::PupilChooser", "Annuler"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  list->setFocus();
  if (dialog.exec() != QDialog::Accepted || list->currentItem() == nullptr) return std::nullopt;
  return list->currentItem()->text();
}

}  // namespace gradoir
