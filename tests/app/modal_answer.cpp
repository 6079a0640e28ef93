#include "modal_answer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace gradoir::test {

namespace {

constexpr int kPollMs = 5;
constexpr int kGiveUpAfterPolls = 1000;

void note(QWidget& modal, ModalSeen& seen) {
  seen.shown = true;
  seen.title = modal.windowTitle();
  if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
    seen.text = box->text();
    seen.informativeText = box->informativeText();
    seen.icon = box->icon();
    if (box->defaultButton() != nullptr) seen.defaultButton = box->defaultButton()->text();
    if (box->escapeButton() != nullptr) seen.escapeButton = box->escapeButton()->text();
  }
  for (QPushButton* b : modal.findChildren<QPushButton*>()) seen.buttons << b->text();
  if (QWidget* memo = modal.findChild<QWidget*>(QStringLiteral("helpText"))) {
    seen.helpTextVisible = memo->isVisibleTo(&modal);
    if (const auto* text = qobject_cast<QPlainTextEdit*>(memo)) seen.helpText = text->toPlainText();
  }
}

void answer(QWidget& modal, const QString& buttonText) {
  if (buttonText.isEmpty()) {
    QTest::keyClick(&modal, Qt::Key_Escape);
    return;
  }
  for (QAbstractButton* b : modal.findChildren<QAbstractButton*>()) {
    if (b->text() == buttonText) {
      b->click();
      return;
    }
  }
  ADD_FAILURE() << "no button " << buttonText.toStdString() << " in " << modal.windowTitle().toStdString();
  // Close it anyway so the test fails instead of hanging.
  modal.close();
}

// Polls only while the test still holds its record, so an answer armed for a
// window that never came cannot click one of a later test.
void poll(std::weak_ptr<ModalSeen> record, QString buttonText, int pollsLeft) {
  const std::shared_ptr<ModalSeen> seen = record.lock();
  if (!seen) return;
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || !modal->isVisible()) {
    if (pollsLeft > 0) {
      QTimer::singleShot(kPollMs, [=] { poll(record, buttonText, pollsLeft - 1); });
    }
    return;
  }
  note(*modal, *seen);
  answer(*modal, buttonText);
}

}  // namespace

std::shared_ptr<ModalSeen> answerNextModal(const QString& buttonText) {
  auto seen = std::make_shared<ModalSeen>();
  std::weak_ptr<ModalSeen> record = seen;
  QTimer::singleShot(0, [=] { poll(record, buttonText, kGiveUpAfterPolls); });
  return seen;
}

bool noModalOpen() { return QApplication::activeModalWidget() == nullptr; }

}  // namespace gradoir::test
