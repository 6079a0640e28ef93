#pragma once
// The teacher's window (gradoir --resultats). Its first page is the class
// overview: one row per pupil of the class list (those who never played
// too) with, for measuring and for drawing, the series played, the last
// score, the trend over the last five series and the mistake made most
// often; then a pupil's page (the score of each series over time, the
// mistakes counted by kind, the series with their level; a double-click
// lists a series' tries) and every series with the explanations given.
// Narrowed by pupil and by dates; prints and saves as PDF the class
// overview or the pupil's report, makes worksheets, exports CSV. Pupils
// never reach it from the menus. Laid out by resources/teacher_view.ui.
//
// Every question to the store runs on the loader's thread: a slow or
// frozen server never freezes the window, which says so after 3 s.
#include <QDialog>
#include <QHash>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <memory>

#include "records/results_reader.h"
#include "teacher/desk_data.h"
#include "teacher/worksheet.h"
#include "ui_teacher_view.h"

class QTableWidget;

namespace gradoir {

class DeskLoader;
class MistakeChart;
class ScoreChart;
class SeriesTableModel;

class TeacherView : public QWidget {
  Q_OBJECT

 public:
  // `source`: a SQLite file or a server address, as ResultsReader takes.
  explicit TeacherView(const QString& source, QWidget* parent = nullptr);
  ~TeacherView() override;

  // The pupils of the class list: in the overview even without results.
  void setClassList(const QStringList& pupils);
  // The level worksheets are drawn at (the settings').
  void setWorksheetLevel(const Level& level) { m_level = level; }

  // The filter the controls show.
  ResultsFilter filter() const;
  // Reads the store again with the current filter.
  void refresh();
  // True once every question asked has its answer (for tests and scripts).
  bool waitForAnswers(int timeoutMs);
  bool answersPending() const { return m_pending > 0; }

  // Shows `pupil`'s page.
  void showPupil(const QString& pupil);
  // Lists the tries of the pupil page's series at `row` in a dialog.
  void showSeriesTries(int row);
  QDialog* triesDialog() const { return m_triesDialog; }

  // The report of the page shown (the pupil's on the pupil page, the class
  // overview elsewhere), as PDF or on a printer.
  bool saveReportAsPdf(const QString& path, QString* error = nullptr);
  // Writes the tries (or the series) of the current filter.
  bool exportTo(const QString& path, QString* error = nullptr);
  bool exportSeriesTo(const QString& path, QString* error = nullptr);
  bool writeWorksheetTo(ExerciseKind kind, int count, const QString& path, QString* error = nullptr);

 signals:
  // Every question asked so far has its answer.
  void allAnswered();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  template <class T>
  void ask(std::function<T(ResultsReader&)> question, std::function<void(T)> answer);
  void answered();
  void fillPupils(const QStringList& pupils);
  void fillOverview(const QList<OverviewRow>& rows);
  void fillSeriesPage();
  void fillExplanations(const QList<ExplanationCount>& counts);
  void fillPupilPage();
  void loadPupilPage();
  void askAndExport(bool series);
  void askAndSaveReport();
  void askAndPrint();
  void askAndMakeWorksheet();
  std::unique_ptr<QTextDocument> currentReport() const;
  QString periodText() const;

  Ui::TeacherView m_ui;
  QString m_source;
  QStringList m_classList;
  Level m_level;
  std::unique_ptr<DeskLoader> m_loader;
  int m_pending = 0;
  QTimer m_slowAnswer;
  // Each question for the class, or for a pupil, has a number; an answer to
  // an older one is dropped, and a question overtaken before it starts is
  // not asked (the latest numbers are read on the loader's thread).
  quint64 m_generation = 0, m_pupilGeneration = 0;
  std::shared_ptr<std::atomic<quint64>> m_latestOverview, m_latestPupil;
  // What the store said of every pupil in the dates: the overview, the
  // "Séries" page and the explanations are made from it.
  struct ClassAnswer {
    QStringList pupils;
    QList<SeriesRecord> series;
    QList<MistakeCount> mistakes;
    QList<PupilPathLevels> pathLevels;
    QString error;
  };
  ClassAnswer m_class;
  SeriesTableModel* m_seriesModel = nullptr;
  QList<OverviewRow> m_overview;
  // The pupil page's data.
  QString m_pupil;
  QList<SeriesRecord> m_pupilSeries;
  QHash<QString, Level> m_pupilLevels;
  QList<MistakeCount> m_pupilMistakes;
  ScoreChart* m_scoreChart = nullptr;
  MistakeChart* m_mistakeChart = nullptr;
  QDialog* m_triesDialog = nullptr;
  QString m_readError;
};

}  // namespace gradoir
