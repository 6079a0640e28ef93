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
  list->addItems(names);
  // Last and never chosen for the pupil: a quick OK must not file a pupil's
  // results as nobody's.
  list->addItem(kAnonymousPupil);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  const QList<QListWidgetItem*> found = current.isEmpty() ? QList<QListWidgetItem*>() : list->findItems(current, Qt::MatchExactly);
  if (!found.isEmpty()) list->setCurrentItem(found.first());
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* ok =
      buttons->addButton(QCoreApplication::translate("gradoir::PupilChooser", "OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QCoreApplication::translate("gradoir::PupilChooser", "Annuler"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  // Enter with no name picked does nothing (a disabled default button).
  auto pickedItem = [list]() -> QListWidgetItem* {
    const QList<QListWidgetItem*> picked = list->selectedItems();
    return picked.isEmpty() ? nullptr : picked.first();
  };
  ok->setEnabled(pickedItem() != nullptr);
  QObject::connect(list, &QListWidget::itemSelectionChanged, ok, [ok, pickedItem] { ok->setEnabled(pickedItem() != nullptr); });
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  list->setFocus();
  if (dialog.exec() != QDialog::Accepted || pickedItem() == nullptr) return std::nullopt;
  return pickedItem()->text();
}

}  // namespace gradoir
