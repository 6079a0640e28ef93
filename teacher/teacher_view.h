#pragma once
// The teacher's window (gradoir --resultats): pupils, their series and
// scores, how often each explanation was given, narrowed by pupil and by
// dates, and the tries shown exported as CSV. Pupils never reach it from
// the menus. Laid out by resources/teacher_view.ui.
#include <QWidget>

#include "records/results_reader.h"
#include "ui_teacher_view.h"

namespace gradoir {

class TeacherView : public QWidget {
  Q_OBJECT

 public:
  // `source`: a SQLite file or a server address, as ResultsReader takes.
  explicit TeacherView(const QString& source, QWidget* parent = nullptr);

  // The filter the controls show.
  ResultsFilter filter() const;
  // Reads the store again with the current filter.
  void refresh();
  // Writes the tries of the current filter; false with `error` set on failure.
  bool exportTo(const QString& path, QString* error = nullptr);

 private:
  void fillPupils();
  void fillSeries(const QList<SeriesRecord>& series);
  void fillExplanations(const QList<ExplanationCount>& counts);
  void askAndExport();

  Ui::TeacherView m_ui;
  ResultsReader m_reader;
};

}  // namespace gradoir
