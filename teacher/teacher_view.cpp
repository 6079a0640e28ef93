#include "teacher/teacher_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include "records/csv_export.h"

namespace gradoir {

namespace {

QTableWidget* newTable(const QStringList& headers, const QString& name, QWidget* parent) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  table->setObjectName(name);
  table->setHorizontalHeaderLabels(headers);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

void setRow(QTableWidget& table, int row, const QStringList& cells) {
  for (int column = 0; column < cells.size(); ++column) {
    table.setItem(row, column, new QTableWidgetItem(cells[column]));
  }
}

QString localTime(const QDateTime& utc) { return utc.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm")); }

// The start of a local day, as the filter's UTC bound.
QDateTime dayStart(const QDate& day) { return QDateTime(day, QTime(0, 0)).toUTC(); }

}  // namespace

TeacherView::TeacherView(const QString& source, QWidget* parent) : QWidget(parent), m_reader(source) {
  setWindowTitle(tr("Gradoir - Résultats"));
  buildControls();
  refresh();
}

TeacherView::~TeacherView() = default;

void TeacherView::buildControls() {
  auto* layout = new QVBoxLayout(this);
  auto* filters = new QHBoxLayout;
  m_pupil = new QComboBox(this);
  m_pupil->setObjectName(QStringLiteral("pupilFilter"));
  m_fromOn = new QCheckBox(tr("Depuis le"), this);
  m_from = new QDateEdit(QDate::currentDate().addDays(-7), this);
  m_untilOn = new QCheckBox(tr("jusqu'au"), this);
  m_until = new QDateEdit(QDate::currentDate(), this);
  for (QDateEdit* edit : {m_from, m_until}) {
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  }
  filters->addWidget(new QLabel(tr("Élève :"), this));
  filters->addWidget(m_pupil, 1);
  filters->addWidget(m_fromOn);
  filters->addWidget(m_from);
  filters->addWidget(m_untilOn);
  filters->addWidget(m_until);
  layout->addLayout(filters);

  m_seriesTable = newTable({tr("Élève"), tr("Exercice"), tr("Début"), tr("Fin"), tr("Score")},
                           QStringLiteral("seriesTable"), this);
  m_explanationTable = newTable({tr("Explication"), tr("Nombre")},
                                QStringLiteral("explanationTable"), this);
  layout->addWidget(new QLabel(tr("Séries :"), this));
  layout->addWidget(m_seriesTable, 3);
  layout->addWidget(new QLabel(tr("Explications données :"), this));
  layout->addWidget(m_explanationTable, 1);

  auto* bottom = new QHBoxLayout;
  m_status = new QLabel(this);
  m_status->setObjectName(QStringLiteral("status"));
  auto* exportButton = new QPushButton(tr("Exporter en CSV..."), this);
  exportButton->setObjectName(QStringLiteral("exportButton"));
  bottom->addWidget(m_status, 1);
  bottom->addWidget(exportButton);
  layout->addLayout(bottom);

  fillPupils();
  connect(m_pupil, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
  for (QCheckBox* box : {m_fromOn, m_untilOn}) connect(box, &QCheckBox::toggled, this, [this] { refresh(); });
  for (QDateEdit* edit : {m_from, m_until}) connect(edit, &QDateEdit::dateChanged, this, [this] { refresh(); });
  connect(exportButton, &QPushButton::clicked, this, [this] { askAndExport(); });
  resize(760, 520);
}

void TeacherView::fillPupils() {
  m_pupil->addItem(tr("Tous les élèves"));
  m_pupil->addItems(m_reader.pupils());
}

ResultsFilter TeacherView::filter() const {
  ResultsFilter f;
  if (m_pupil->currentIndex() > 0) f.pupil = m_pupil->currentText();
  if (m_fromOn->isChecked()) f.from = dayStart(m_from->date());
  // "Until" includes its whole day.
  if (m_untilOn->isChecked()) f.until = dayStart(m_until->date().addDays(1));
  return f;
}

void TeacherView::refresh() {
  const ResultsFilter f = filter();
  fillSeries(m_reader.series(f));
  fillExplanations(m_reader.explanationCounts(f));
  m_status->setText(m_reader.isOpen() ? m_reader.errorText()
                                      : tr("Aucun résultat lisible : %1").arg(m_reader.errorText()));
}

void TeacherView::fillSeries(const QList<SeriesRecord>& series) {
  m_seriesTable->setRowCount(static_cast<int>(series.size()));
  for (int row = 0; row < series.size(); ++row) {
    const SeriesRecord& s = series[row];
    setRow(*m_seriesTable, row,
           {s.pupil, kindText(s.kind), localTime(s.start), s.end ? localTime(*s.end) : tr("(inachevée)"),
            QStringLiteral("%1/%2").arg(s.score).arg(s.length)});
  }
  m_seriesTable->resizeColumnsToContents();
}

void TeacherView::fillExplanations(const QList<ExplanationCount>& counts) {
  m_explanationTable->setRowCount(static_cast<int>(counts.size()));
  for (int row = 0; row < counts.size(); ++row) {
    setRow(*m_explanationTable, row, {counts[row].code, QString::number(counts[row].count)});
  }
}

bool TeacherView::exportTo(const QString& path, QString* error) {
  const QList<TryRecord> tries = m_reader.tries(filter());
  QSaveFile file(path);
  const QByteArray csv = triesToCsv(tries);
  if (file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size() && file.commit()) return true;
  if (error) *error = file.errorString();
  return false;
}

void TeacherView::askAndExport() {
  const QString path = QFileDialog::getSaveFileName(this, tr("Exporter les essais"),
                                                    QStringLiteral("resultats.csv"),
                                                    tr("Fichiers CSV (*.csv)"));
  if (path.isEmpty()) return;
  QString error;
  m_status->setText(exportTo(path, &error) ? tr("Exporté : %1").arg(path)
                                           : tr("Export impossible : %1").arg(error));
}

}  // namespace gradoir
