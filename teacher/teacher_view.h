#pragma once
// The teacher's window (gradoir --resultats): pupils, their series and
// scores, how often each explanation was given, narrowed by pupil and by
// dates, and the tries shown exported as CSV. Pupils never reach it from
// the menus.
#include <QWidget>
#include <memory>

#include "records/results_reader.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QTableWidget;

namespace gradoir {

class TeacherView : public QWidget {
  Q_OBJECT

 public:
  // `source`: a SQLite file or a server address, as ResultsReader takes.
  explicit TeacherView(const QString& source, QWidget* parent = nullptr);
  ~TeacherView() override;

  // The filter the controls show.
  ResultsFilter filter() const;
  // Reads the store again with the current filter.
  void refresh();
  // Writes the tries of the current filter; false with `error` set on failure.
  bool exportTo(const QString& path, QString* error = nullptr);

 private:
  void buildControls();
  void fillPupils();
  void fillSeries(const QList<SeriesRecord>& series);
  void fillExplanations(const QList<ExplanationCount>& counts);
  void askAndExport();

  ResultsReader m_reader;
  QComboBox* m_pupil = nullptr;
  QCheckBox* m_fromOn = nullptr;
  QDateEdit* m_from = nullptr;
  QCheckBox* m_untilOn = nullptr;
  QDateEdit* m_until = nullptr;
  QTableWidget* m_seriesTable = nullptr;
  QTableWidget* m_explanationTable = nullptr;
  QLabel* m_status = nullptr;
};

}  // namespace gradoir
