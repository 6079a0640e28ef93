// The main window's line about the results: shown while they are not stored
// as they should be (the file cannot be used, another program holds it, the
// server does not take them yet), from the start and as soon as it happens,
// and, with it, what could not be read of the class list.
#include <QLabel>
#include <QStatusBar>

#include "app/main_window.h"
#include "records/results_recorder.h"
#include "series/series_controller.h"
#include "series/series_log.h"

namespace gradoir {

QString MainWindow::recordsStatusText() const { return m_recordsStatus->isHidden() ? QString() : m_recordsStatus->text(); }

void MainWindow::setUpRecordsStatus() {
  m_recordsStatus = new QLabel(this);
  m_recordsStatus->setObjectName(QStringLiteral("recordsStatus"));
  // A long reason must not widen the window: the label takes the room there
  // is, and its tooltip holds the whole text.
  m_recordsStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  m_recordsStatus->setStyleSheet(QStringLiteral("color: #a00000"));
  m_recordsStatus->hide();
  statusBar()->addWidget(m_recordsStatus, 1);
  // The recorder's threads report; the label is changed on this one.
  if (ResultsRecorder* recorder = m_series->log().recorder()) {
    connect(recorder, &ResultsRecorder::statusChanged, this, &MainWindow::showRecordsStatus, Qt::QueuedConnection);
  }
  showRecordsStatus();
}

void MainWindow::showRecordsStatus() {
  QStringList parts;
  if (const ResultsRecorder* recorder = m_series->log().recorder()) {
    if (const QString text = recorder->status().text; !text.isEmpty()) parts << text;
  }
  parts << m_classListWarnings;
  const QString text = parts.join(QStringLiteral("  "));
  m_recordsStatus->setText(text);
  m_recordsStatus->setToolTip(text);
  m_recordsStatus->setAccessibleName(text);
  m_recordsStatus->setVisible(!text.isEmpty());
}

}  // namespace gradoir
