#include "teacher/teacher_view.h"

#include <QFileDialog>
#include <QSaveFile>

#include "records/csv_export.h"
#include "records/export_target.h"
#include "records/postgres_url.h"

namespace gradoir {

namespace {

void setRow(QTableWidget& table, int row, const QStringList& cells) {
  for (int column = 0; column < cells.size(); ++column) {
    table.setItem(row, column, new QTableWidgetItem(cells[column]));
  }
}

QString localTime(const QDateTime& utc) {
  return utc.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

// The start of a local day, as the filter's UTC bound.
QDateTime dayStart(const QDate& day) { return QDateTime(day, QTime(0, 0)).toUTC(); }

}  // namespace

TeacherView::TeacherView(const QString& source, QWidget* parent) : QWidget(parent), m_reader(source) {
  m_ui.setupUi(this);
  m_ui.fromDate->setDate(QDate::currentDate().addDays(-7));
  m_ui.untilDate->setDate(QDate::currentDate());
  fillPupils();
  connect(m_ui.pupilFilter, &QComboBox::currentIndexChanged, this, &TeacherView::refresh);
  for (QCheckBox* box : {m_ui.fromFilter, m_ui.untilFilter}) {
    connect(box, &QCheckBox::toggled, this, &TeacherView::refresh);
  }
  for (QDateEdit* edit : {m_ui.fromDate, m_ui.untilDate}) {
    connect(edit, &QDateEdit::dateChanged, this, &TeacherView::refresh);
  }
  connect(m_ui.exportButton, &QPushButton::clicked, this, &TeacherView::askAndExport);
  refresh();
}

void TeacherView::fillPupils() {
  m_ui.pupilFilter->addItem(tr("Tous les élèves"));
  m_ui.pupilFilter->addItems(m_reader.pupils());
}

ResultsFilter TeacherView::filter() const {
  ResultsFilter f;
  if (m_ui.pupilFilter->currentIndex() > 0) f.pupil = m_ui.pupilFilter->currentText();
  if (m_ui.fromFilter->isChecked()) f.from = dayStart(m_ui.fromDate->date());
  // "Until" includes its whole day.
  if (m_ui.untilFilter->isChecked()) f.until = dayStart(m_ui.untilDate->date().addDays(1));
  return f;
}

void TeacherView::refresh() {
  const ResultsFilter f = filter();
  fillSeries(m_reader.series(f));
  fillExplanations(m_reader.explanationCounts(f));
  m_ui.status->setText(hidePasswords(m_reader.isOpen() ? m_reader.errorText()
                                                       : tr("Aucun résultat lisible : %1").arg(m_reader.errorText())));
}

void TeacherView::fillSeries(const QList<SeriesRecord>& series) {
  m_ui.seriesTable->setRowCount(static_cast<int>(series.size()));
  for (int row = 0; row < series.size(); ++row) {
    const SeriesRecord& s = series[row];
    setRow(*m_ui.seriesTable, row,
           {s.pupil, kindText(s.kind), localTime(s.start), s.end ? localTime(*s.end) : tr("(inachevée)"),
            QStringLiteral("%1/%2").arg(s.score).arg(s.length)});
  }
  m_ui.seriesTable->resizeColumnsToContents();
}

void TeacherView::fillExplanations(const QList<ExplanationCount>& counts) {
  m_ui.explanationTable->setRowCount(static_cast<int>(counts.size()));
  for (int row = 0; row < counts.size(); ++row) {
    setRow(*m_ui.explanationTable, row, {counts[row].code, QString::number(counts[row].count)});
  }
}

bool TeacherView::exportTo(const QString& path, QString* error) {
  if (const std::optional<QString> refused = exportTargetProblem(path, QString())) {
    if (error) *error = *refused;
    return false;
  }
  const QList<TryRecord> tries = m_reader.tries(filter());
  QSaveFile file(path);
  const QByteArray csv = triesToCsv(tries);
  if (file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size() && file.commit()) return true;
  if (error) *error = file.errorString();
  return false;
}

void TeacherView::askAndExport() {
  const QString path = QFileDialog::getSaveFileName(
      this, tr("Exporter les essais"), QStringLiteral("resultats.csv"), tr("Fichiers CSV (*.csv)"));
  if (path.isEmpty()) return;
  QString error;
  m_ui.status->setText(hidePasswords(exportTo(path, &error) ? tr("Exporté : %1").arg(path)
                                                            : tr("Export impossible : %1").arg(error)));
}

}  // namespace gradoir
