// The main window's pupils: the class list, the name chosen before the
// first series and changed between series, and the window's title.
#include <QAction>
#include <QMenu>

#include "app/main_window.h"
#include "records/class_list.h"
#include "series/series_controller.h"
#include "series/series_log.h"
#include "ui/pupil_chooser.h"
#include "ui_main_window.h"

namespace gradoir {

void MainWindow::setUpPupils() {
  const QString path = m_series->settings().classListPath;
  if (path.isEmpty()) return;
  ClassList list = readClassListWithWarnings(path);
  m_classList = list.names;
  m_classListWarnings = list.warnings;
  if (m_classList.isEmpty()) return;
  // A class list names the pupil in the window, once chosen.
  m_changePupilAction = new QAction(tr("&Changer d'élève..."), this);
  m_changePupilAction->setObjectName(QStringLiteral("changePupilAction"));
  m_ui->exerciseMenu->insertAction(m_ui->exerciseSeparator, m_changePupilAction);
  connect(m_changePupilAction, &QAction::triggered, this, [this] { changePupil(); });
}

bool MainWindow::choosePupilFirst() {
  if (m_classList.isEmpty() || m_pupilChosen) return true;
  changePupil();
  return m_pupilChosen;
}

void MainWindow::changePupil() {
  if (m_series->seriesRunning()) return;
  SeriesLog& log = m_series->log();
  const std::optional<QString> name = choosePupil(this, m_classList, m_pupilChosen ? log.pupil() : QString());
  if (!name) return;
  m_pupilChosen = true;
  log.setPupil(*name);
  setWindowTitle(QStringLiteral("Gradoir - ") + *name);
  m_pupilStatus->setText(tr("Élève : %1").arg(*name));
}

}  // namespace gradoir
