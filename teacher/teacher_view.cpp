#include "teacher/teacher_view.h"

#include <QCloseEvent>
#include <QCollator>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QAbstractTableModel>
#include <QEventLoop>
#include <QFileDialog>
#include <QFormLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QRandomGenerator>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include "records/csv_export.h"
#include "records/postgres_url.h"
#include "teacher/charts.h"
#include "teacher/desk_loader.h"
#include "teacher/mistake_words.h"
#include "teacher/reports.h"

namespace gradoir {

namespace {

// After this long without an answer the window says the server is slow.
constexpr int kSlowAnswerMs = 3000;

// What a sortable column sorts by when its text would sort wrongly (dates
// written day first, scores as "7/10").
constexpr int kSortRole = Qt::UserRole;

// Sorts by its kSortRole value when both cells have one: an empty cell
// ("jamais", no score yet) comes before every value.
class SortItem : public QTableWidgetItem {
 public:
  using QTableWidgetItem::QTableWidgetItem;
  bool operator<(const QTableWidgetItem& other) const override {
    const QVariant mine = data(kSortRole), theirs = other.data(kSortRole);
    if (!mine.isValid() && !theirs.isValid()) return QTableWidgetItem::operator<(other);
    if (!mine.isValid() || !theirs.isValid()) return !mine.isValid();
    return QVariant::compare(mine, theirs) == QPartialOrdering::Less;
  }
};

void setRow(QTableWidget& table, int row, const QStringList& cells) {
  for (int column = 0; column < cells.size(); ++column) {
    table.setItem(row, column, new SortItem(cells[column]));
  }
}

QString localTime(const QDateTime& utc) { return utc.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm")); }

// The start of a local day, as the filter's UTC bound.
QDateTime dayStart(const QDate& day) { return QDateTime(day, QTime(0, 0)).toUTC(); }

QString kindName(ExerciseKind kind) {
  return kind == ExerciseKind::Measuring ? TeacherView::tr("Mesurer") : TeacherView::tr("Tracer");
}

QString levelText(const Level& l) {
  QStringList parts{TeacherView::tr("pas %1, de %2° à %3°").arg(l.step).arg(l.minimum).arg(l.maximum)};
  if (l.tolerance > 0) parts << TeacherView::tr("tolérance %1°").arg(l.tolerance);
  if (l.protractorPlaced) parts << TeacherView::tr("rapporteur placé");
  if (l.estimation) parts << TeacherView::tr("estimation");
  return parts.join(QStringLiteral(", "));
}

struct PupilAnswer {
  QList<SeriesRecord> series;
  QHash<QString, Level> levels;
  QList<MistakeCount> mistakes;
};

}  // namespace

// The series of the "Séries" page: a year holds a hundred thousand, shown
// as they scroll by rather than made into cells all at once.
class SeriesTableModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void setSeries(QList<SeriesRecord> series) {
    beginResetModel();
    m_series = std::move(series);
    endResetModel();
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(m_series.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 5; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_series.size()) return {};
    const SeriesRecord& s = m_series[index.row()];
    switch (index.column()) {
      case 0: return s.pupil;
      case 1: return kindName(s.kind);
      case 2: return localTime(s.start);
      case 3: return s.end ? localTime(*s.end) : TeacherView::tr("(en cours)");
      default: return seriesScoreText(s);
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    // The page's own texts, translated with its form.
    static const char* const kTitles[] = {QT_TRANSLATE_NOOP("TeacherView", "Élève"),
                                          QT_TRANSLATE_NOOP("TeacherView", "Exercice"),
                                          QT_TRANSLATE_NOOP("TeacherView", "Début"),
                                          QT_TRANSLATE_NOOP("TeacherView", "Fin"),
                                          QT_TRANSLATE_NOOP("TeacherView", "Score")};
    return section >= 0 && section < 5 ? QCoreApplication::translate("TeacherView", kTitles[section]) : QVariant();
  }

 private:
  QList<SeriesRecord> m_series;
};

TeacherView::TeacherView(const QString& source, QWidget* parent)
    : QWidget(parent),
      m_source(source),
      m_loader(std::make_unique<DeskLoader>(source)),
      m_latestOverview(std::make_shared<std::atomic<quint64>>(0)),
      m_latestPupil(std::make_shared<std::atomic<quint64>>(0)) {
  m_ui.setupUi(this);
  m_seriesModel = new SeriesTableModel(this);
  m_ui.seriesTable->setModel(m_seriesModel);
  m_ui.fromDate->setDate(QDate::currentDate().addDays(-7));
  m_ui.untilDate->setDate(QDate::currentDate());
  m_scoreChart = new ScoreChart(m_ui.scoreChartPlace);
  m_mistakeChart = new MistakeChart(m_ui.mistakeChartPlace);
  for (auto [place, chart] : {std::pair<QWidget*, QWidget*>{m_ui.scoreChartPlace, m_scoreChart},
                              {m_ui.mistakeChartPlace, m_mistakeChart}}) {
    auto* layout = new QVBoxLayout(place);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chart);
  }
  m_ui.overviewTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_ui.overviewTable->horizontalHeader()->setStretchLastSection(false);
  m_ui.overviewTable->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
  m_ui.pupilFilter->addItem(tr("Tous les élèves"));
  m_slowAnswer.setSingleShot(true);
  m_slowAnswer.setInterval(kSlowAnswerMs);
  connect(&m_slowAnswer, &QTimer::timeout, this, [this] {
    m_ui.status->setText(tr("Le serveur des résultats ne répond pas encore ; la fenêtre se remplira à sa réponse."));
  });
  // Another pupil: the class's data is at hand, only their page is asked.
  connect(m_ui.pupilFilter, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index > 0) m_pupil = m_ui.pupilFilter->currentText();
    fillSeriesPage();
    loadPupilPage();
  });
  for (QCheckBox* box : {m_ui.fromFilter, m_ui.untilFilter}) connect(box, &QCheckBox::toggled, this, &TeacherView::refresh);
  for (QDateEdit* edit : {m_ui.fromDate, m_ui.untilDate}) {
    connect(edit, &QDateEdit::dateChanged, this, &TeacherView::refresh);
  }
  connect(m_ui.overviewTable, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (QTableWidgetItem* name = m_ui.overviewTable->item(row, 0)) showPupil(name->text());
  });
  connect(m_ui.pupilSeriesTable, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { showSeriesTries(row); });
  connect(m_ui.exportButton, &QPushButton::clicked, this, [this] { askAndExport(false); });
  connect(m_ui.exportSeriesButton, &QPushButton::clicked, this, [this] { askAndExport(true); });
  connect(m_ui.pdfButton, &QPushButton::clicked, this, &TeacherView::askAndSaveReport);
  connect(m_ui.printButton, &QPushButton::clicked, this, &TeacherView::askAndPrint);
  connect(m_ui.worksheetButton, &QPushButton::clicked, this, &TeacherView::askAndMakeWorksheet);
  // Its tables whole on a 1280 x 800 screen, or as the teacher left it.
  const QByteArray geometry = QSettings().value(QStringLiteral("resultats/fenetre")).toByteArray();
  if (geometry.isEmpty() || !restoreGeometry(geometry)) resize(1240, 740);
  refresh();
}

TeacherView::~TeacherView() = default;

void TeacherView::closeEvent(QCloseEvent* event) {
  QSettings().setValue(QStringLiteral("resultats/fenetre"), saveGeometry());
  QWidget::closeEvent(event);
}

template <class T>
void TeacherView::ask(std::function<T(ResultsReader&)> question, std::function<void(T)> answer) {
  if (m_pending++ == 0) m_slowAnswer.start();
  m_loader->ask<T>(std::move(question), this, [this, answer = std::move(answer)](T value) {
    answer(std::move(value));
    answered();
  });
}

void TeacherView::answered() {
  if (--m_pending > 0) return;
  m_slowAnswer.stop();
  m_ui.status->setText(m_readError.isEmpty() ? QString() : tr("Aucun résultat lisible : %1").arg(m_readError));
  emit allAnswered();
}

bool TeacherView::waitForAnswers(int timeoutMs) {
  if (m_pending == 0) return true;
  QEventLoop loop;
  connect(this, &TeacherView::allAnswered, &loop, &QEventLoop::quit);
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  loop.exec();
  return m_pending == 0;
}

void TeacherView::setClassList(const QStringList& pupils) {
  m_classList = pupils;
  // The store's answer is at hand (or on its way, and then filled with
  // this list): no need to ask it again.
  fillPupils(m_class.pupils);
  m_overview = classOverview(m_classList, m_class.pupils, m_class.series, m_class.mistakes, m_class.pathLevels);
  fillOverview(m_overview);
}

ResultsFilter TeacherView::filter() const {
  ResultsFilter f;
  if (m_ui.pupilFilter->currentIndex() > 0) f.pupil = m_ui.pupilFilter->currentText();
  if (m_ui.fromFilter->isChecked()) f.from = dayStart(m_ui.fromDate->date());
  // "Until" includes its whole day.
  if (m_ui.untilFilter->isChecked()) f.until = dayStart(m_ui.untilDate->date().addDays(1));
  return f;
}

QString TeacherView::periodText() const {
  const ResultsFilter f = filter();
  const QLocale locale;
  if (f.from.isValid() && f.until.isValid()) {
    return tr("Du %1 au %2")
        .arg(locale.toString(m_ui.fromDate->date(), QLocale::ShortFormat),
             locale.toString(m_ui.untilDate->date(), QLocale::ShortFormat));
  }
  if (f.from.isValid()) return tr("Depuis le %1").arg(locale.toString(m_ui.fromDate->date(), QLocale::ShortFormat));
  if (f.until.isValid()) return tr("Jusqu'au %1").arg(locale.toString(m_ui.untilDate->date(), QLocale::ShortFormat));
  return tr("Toutes les dates");
}

void TeacherView::refresh() {
  ResultsFilter allPupils = filter();
  allPupils.pupil.clear();
  const quint64 generation = ++m_generation;
  m_latestOverview->store(generation);
  ask<ClassAnswer>(
      [allPupils, generation, latest = m_latestOverview](ResultsReader& reader) {
        ClassAnswer a;
        // Asked again since (the dates changed while waiting): skipped.
        if (latest->load() != generation) return a;
        a.pupils = reader.pupils();
        a.series = reader.series(allPupils);
        a.mistakes = reader.mistakeCounts(allPupils);
        // Where each pupil stands now, whatever the dates.
        a.pathLevels = reader.pathLevels();
        a.error = reader.errorText();
        return a;
      },
      [this, generation](ClassAnswer a) {
        if (generation != m_generation) return;
        m_class = std::move(a);
        m_readError = m_class.error;
        fillPupils(m_class.pupils);
        m_overview = classOverview(m_classList, m_class.pupils, m_class.series, m_class.mistakes, m_class.pathLevels);
        fillOverview(m_overview);
        fillSeriesPage();
      });
  loadPupilPage();
}

void TeacherView::fillSeriesPage() {
  const QString pupil = filter().pupil;
  QList<SeriesRecord> shown;
  for (const SeriesRecord& s : m_class.series) {
    if (pupil.isEmpty() || s.pupil == pupil) shown << s;
  }
  m_seriesModel->setSeries(std::move(shown));
  if (m_seriesModel->rowCount() > 0) m_ui.seriesTable->resizeColumnsToContents();
  // How often each explanation was given: the mistakes counted by code.
  QHash<QString, int> byCode;
  for (const MistakeCount& m : m_class.mistakes) {
    if (pupil.isEmpty() || m.pupil == pupil) byCode[m.code] += m.count;
  }
  QList<ExplanationCount> counts;
  for (auto it = byCode.cbegin(); it != byCode.cend(); ++it) counts.append({it.key(), it.value()});
  std::sort(counts.begin(), counts.end(), [](const ExplanationCount& a, const ExplanationCount& b) {
    return a.count != b.count ? a.count > b.count : a.code < b.code;
  });
  fillExplanations(counts);
}

void TeacherView::fillPupils(const QStringList& pupils) {
  // The list grows with new names; the choice stays.
  QStringList names = m_classList;
  for (const QString& p : pupils) {
    if (!names.contains(p)) names << p;
  }
  const QSignalBlocker quiet(m_ui.pupilFilter);
  for (const QString& name : names) {
    if (m_ui.pupilFilter->findText(name, Qt::MatchExactly) < 0) m_ui.pupilFilter->addItem(name);
  }
}

void TeacherView::fillOverview(const QList<OverviewRow>& rows) {
  QTableWidget& t = *m_ui.overviewTable;
  // Names in French alphabetical order ("Élodie" before "Zoé").
  QStringList names;
  for (const OverviewRow& r : rows) names << r.pupil;
  QCollator collator{QLocale(QLocale::French, QLocale::France)};
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::sort(names.begin(), names.end(), collator);
  QHash<QString, int> nameRank;
  for (int i = 0; i < names.size(); ++i) nameRank.insert(names[i], i);
  // Filled in the order of the rows, then sorted again as the teacher chose
  // (by name at first).
  t.setSortingEnabled(false);
  t.setUpdatesEnabled(false);
  // Sized to its contents once filled: sized after each cell, a school's
  // overview took over a minute.
  t.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  t.setRowCount(static_cast<int>(rows.size()));
  for (int row = 0; row < rows.size(); ++row) {
    const OverviewRow& r = rows[row];
    QStringList cells{r.pupil};
    for (const ExerciseKind kind : {ExerciseKind::Measuring, ExerciseKind::Drawing}) {
      const KindSummary& k = r.of(kind);
      cells << QString::number(k.series) << (k.last ? seriesScoreText(*k.last) : QString()) << trendText(k.lastFive)
            << (k.topMistake.isEmpty() ? QString() : mistakeName(k.topMistake))
            << (k.pathLevel ? QString::number(*k.pathLevel) : QString());
    }
    cells << (r.lastActivity ? localTime(*r.lastActivity) : tr("jamais"));
    setRow(t, row, cells);
    t.item(row, 0)->setData(kSortRole, nameRank.value(r.pupil));
    // Counts sort as numbers, scores by their share right, the trend by its
    // last score, dates in time order.
    for (const ExerciseKind kind : {ExerciseKind::Measuring, ExerciseKind::Drawing}) {
      const KindSummary& k = r.of(kind);
      const int first = kind == ExerciseKind::Measuring ? 1 : 6;
      t.item(row, first)->setData(kSortRole, k.series);
      if (k.last) t.item(row, first + 1)->setData(kSortRole, seriesFraction(*k.last));
      if (!k.lastFive.isEmpty()) t.item(row, first + 2)->setData(kSortRole, k.lastFive.last());
      if (k.pathLevel) t.item(row, first + 4)->setData(kSortRole, *k.pathLevel);
    }
    if (r.lastActivity) t.item(row, 11)->setData(kSortRole, *r.lastActivity);
  }
  t.horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  t.setUpdatesEnabled(true);
  t.setSortingEnabled(true);
}

void TeacherView::fillExplanations(const QList<ExplanationCount>& counts) {
  m_ui.explanationTable->setRowCount(static_cast<int>(counts.size()));
  for (int row = 0; row < counts.size(); ++row) {
    setRow(*m_ui.explanationTable, row, {mistakeName(counts[row].code), QString::number(counts[row].count)});
  }
}

void TeacherView::showPupil(const QString& pupil) {
  const int index = m_ui.pupilFilter->findText(pupil, Qt::MatchExactly);
  m_pupil = pupil;
  m_ui.pages->setCurrentWidget(m_ui.pupilPage);
  if (index >= 0 && index != m_ui.pupilFilter->currentIndex()) {
    m_ui.pupilFilter->setCurrentIndex(index);  // loads the page
  } else {
    loadPupilPage();
  }
}

void TeacherView::loadPupilPage() {
  if (m_pupil.isEmpty()) return;
  ResultsFilter f = filter();
  f.pupil = m_pupil;
  const QString pupil = m_pupil;
  const quint64 generation = ++m_pupilGeneration;
  m_latestPupil->store(generation);
  ask<PupilAnswer>(
      [f, generation, latest = m_latestPupil](ResultsReader& reader) {
        // Another pupil, or other dates, asked for since: skipped.
        if (latest->load() != generation) return PupilAnswer{};
        return PupilAnswer{reader.series(f), reader.seriesLevels(f), reader.mistakeCounts(f)};
      },
      [this, generation, pupil](PupilAnswer a) {
        if (generation != m_pupilGeneration || pupil != m_pupil) return;
        m_pupilSeries = std::move(a.series);
        m_pupilLevels = std::move(a.levels);
        m_pupilMistakes = std::move(a.mistakes);
        fillPupilPage();
      });
}

void TeacherView::fillPupilPage() {
  m_ui.pupilTitle->setText(QStringLiteral("<b>%1</b> — %2").arg(m_pupil.toHtmlEscaped(), periodText().toHtmlEscaped()));
  QList<ScorePoint> points;
  for (const SeriesRecord& s : m_pupilSeries) points.append({s.start, seriesFraction(s), s.kind});
  m_scoreChart->setPoints(points);
  // Mistakes by kind, both kinds of exercise together, most frequent first.
  QMap<QString, int> byName;
  QString top;
  int topCount = 0;
  QMap<QString, int> byCode;
  for (const MistakeCount& m : m_pupilMistakes) {
    byName[mistakeName(m.code)] += m.count;
    if (m.code != QLatin1String("correction")) byCode[m.code] += m.count;
  }
  for (auto it = byCode.cbegin(); it != byCode.cend(); ++it) {
    if (it.value() > topCount) {
      top = it.key();
      topCount = it.value();
    }
  }
  QList<MistakeBar> bars;
  for (auto it = byName.cbegin(); it != byName.cend(); ++it) bars.append({it.key(), it.value()});
  std::stable_sort(bars.begin(), bars.end(), [](const MistakeBar& a, const MistakeBar& b) { return a.count > b.count; });
  m_mistakeChart->setBars(bars);
  m_ui.adviceLabel->setText(tr("Conseil : %1").arg(adviceFor(top)));
  QTableWidget& t = *m_ui.pupilSeriesTable;
  t.setRowCount(static_cast<int>(m_pupilSeries.size()));
  for (int row = 0; row < m_pupilSeries.size(); ++row) {
    const SeriesRecord& s = m_pupilSeries[row];
    const auto level = m_pupilLevels.constFind(s.id);
    setRow(t, row,
           {localTime(s.start), kindName(s.kind), seriesScoreText(s),
            level == m_pupilLevels.cend() ? QString() : levelText(*level)});
  }
  t.resizeColumnsToContents();
}

void TeacherView::showSeriesTries(int row) {
  if (row < 0 || row >= m_pupilSeries.size()) return;
  const QString id = m_pupilSeries[row].id;
  const QString title = tr("%1 — série du %2").arg(m_pupil, localTime(m_pupilSeries[row].start));
  ask<QList<TryRecord>>([id](ResultsReader& reader) { return reader.triesOfSeries(id); },
                        [this, title](QList<TryRecord> tries) {
                          delete m_triesDialog;
                          m_triesDialog = new QDialog(this);
                          m_triesDialog->setObjectName(QStringLiteral("triesDialog"));
                          m_triesDialog->setWindowTitle(title);
                          auto* layout = new QVBoxLayout(m_triesDialog);
                          auto* table = new QTableWidget(static_cast<int>(tries.size()), 6, m_triesDialog);
                          table->setObjectName(QStringLiteral("triesTable"));
                          table->setEditTriggers(QAbstractItemView::NoEditTriggers);
                          table->verticalHeader()->hide();
                          table->setHorizontalHeaderLabels({tr("Exercice"), tr("Cible"), tr("Réponse"), tr("Verdict"),
                                                            tr("Explication"), tr("Secondes")});
                          const QLocale locale;
                          for (int r = 0; r < tries.size(); ++r) {
                            const TryRecord& t = tries[r];
                            const QString verdict = t.verdict == Verdict::Right   ? tr("juste")
                                                    : t.verdict == Verdict::Wrong ? tr("faux")
                                                                                  : tr("estimation");
                            setRow(*table, r,
                                   {QString::number(t.exercise), QStringLiteral("%1°").arg(t.target),
                                    t.answer ? QStringLiteral("%1°").arg(*t.answer) : QString(), verdict,
                                    explanationWordsOf(t), locale.toString(t.seconds, 'f', 1)});
                          }
                          table->resizeColumnsToContents();
                          table->horizontalHeader()->setStretchLastSection(true);
                          layout->addWidget(table);
                          auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_triesDialog);
                          connect(buttons, &QDialogButtonBox::rejected, m_triesDialog, &QDialog::reject);
                          layout->addWidget(buttons);
                          m_triesDialog->resize(820, 420);
                          m_triesDialog->open();
                        });
}

std::unique_ptr<QTextDocument> TeacherView::currentReport() const {
  if (m_ui.pages->currentWidget() != m_ui.pupilPage || m_pupil.isEmpty()) {
    return classReportDocument(m_overview, periodText());
  }
  PupilReport report{m_pupil, periodText(), m_pupilSeries, m_mistakeChart->bars(), {}};
  QMap<QString, int> byCode;
  for (const MistakeCount& m : m_pupilMistakes) {
    if (m.code != QLatin1String("correction")) byCode[m.code] += m.count;
  }
  int most = 0;
  for (auto it = byCode.cbegin(); it != byCode.cend(); ++it) {
    if (it.value() > most) {
      most = it.value();
      report.topMistakeCode = it.key();
    }
  }
  return pupilReportDocument(report);
}

bool TeacherView::saveReportAsPdf(const QString& path, QString* error) {
  const std::unique_ptr<QTextDocument> document = currentReport();
  return gradoir::saveReportAsPdf(*document, path, error);
}

void TeacherView::askAndSaveReport() {
  const QString path =
      QFileDialog::getSaveFileName(this, tr("Enregistrer en PDF"), QStringLiteral("resultats.pdf"), tr("PDF (*.pdf)"));
  if (path.isEmpty()) return;
  QString error;
  m_ui.status->setText(saveReportAsPdf(path, &error) ? tr("Enregistré : %1").arg(path)
                                                     : tr("Enregistrement impossible : %1").arg(error));
}

void TeacherView::askAndPrint() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const std::unique_ptr<QTextDocument> document = currentReport();
  printReport(*document, printer);
}

bool TeacherView::exportTo(const QString& path, QString* error) {
  // Through the loader's reader would hold the window; the export opens
  // its own connection and streams.
  return exportCsv(m_source, filter(), path, error, explanationWordsOf);
}

bool TeacherView::exportSeriesTo(const QString& path, QString* error) {
  return exportSeriesCsv(m_source, filter(), path, error);
}

void TeacherView::askAndExport(bool series) {
  const QString path = QFileDialog::getSaveFileName(
      this, series ? tr("Exporter les séries") : tr("Exporter les essais"),
      series ? QStringLiteral("series.csv") : QStringLiteral("resultats.csv"), tr("Fichiers CSV (*.csv)"));
  if (path.isEmpty()) return;
  QString error;
  const bool done = series ? exportSeriesTo(path, &error) : exportTo(path, &error);
  // The store's address may be in the error: never its password.
  m_ui.status->setText(hidePasswords(done ? tr("Exporté : %1").arg(path) : tr("Export impossible : %1").arg(error)));
}

bool TeacherView::writeWorksheetTo(ExerciseKind kind, int count, const QString& path, QString* error) {
  WorksheetRequest request;
  request.kind = kind;
  request.count = count;
  request.seed = QRandomGenerator::global()->generate();
  request.level = m_level;
  return writeWorksheet(request, path, error);
}

void TeacherView::askAndMakeWorksheet() {
  QDialog dialog(this);
  dialog.setWindowTitle(tr("Fiche d'exercices"));
  auto* form = new QFormLayout(&dialog);
  auto* kind = new QComboBox(&dialog);
  kind->addItems({tr("Mesurer des angles"), tr("Tracer des angles")});
  auto* count = new QSpinBox(&dialog);
  count->setRange(1, kMaxWorksheetExercises);
  count->setValue(8);
  form->addRow(tr("Exercice :"), kind);
  form->addRow(tr("Nombre d'angles :"), count);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return;
  const QString path =
      QFileDialog::getSaveFileName(this, tr("Enregistrer la fiche"), QStringLiteral("fiche.pdf"), tr("PDF (*.pdf)"));
  if (path.isEmpty()) return;
  QString error;
  const ExerciseKind chosen = kind->currentIndex() == 0 ? ExerciseKind::Measuring : ExerciseKind::Drawing;
  m_ui.status->setText(writeWorksheetTo(chosen, count->value(), path, &error)
                           ? tr("Fiche enregistrée : %1").arg(path)
                           : tr("Fiche impossible : %1").arg(error));
}

}  // namespace gradoir
