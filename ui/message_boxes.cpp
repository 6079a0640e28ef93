#include "ui/message_boxes.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace gradoir {

namespace {

void showWithOk(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                const QString& text, const QString& details = {}) {
  QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
  if (!details.isEmpty()) box.setInformativeText(details);
  QPushButton* ok =
      box.addButton(QCoreApplication::translate("gradoir::MessageBoxes", "OK"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
}

}  // namespace

bool askConfirmation(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, QCoreApplication::translate("gradoir::MessageBoxes", "Confirmation"),
                  text, QMessageBox::NoButton, parent);
  QPushButton* yes =
      box.addButton(QCoreApplication::translate("gradoir::MessageBoxes", "&Oui"), QMessageBox::YesRole);
  QPushButton* no =
      box.addButton(QCoreApplication::translate("gradoir::MessageBoxes", "&Non"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

void showError(QWidget* parent, const QString& text) {
  showWithOk(parent, QMessageBox::Critical, QCoreApplication::translate("gradoir::MessageBoxes", "Erreur"),
             text);
}

void showInformation(QWidget* parent, const QString& text, const QString& details) {
  showWithOk(parent, QMessageBox::Information,
             QCoreApplication::translate("gradoir::MessageBoxes", "Information"), text, details);
}

}  // namespace gradoir
