// The teacher's window on a real SQLite file: the class overview, a pupil's
// page with its charts and a series' tries, the series and explanations,
// filters by pupil and date, reports saved as PDF and read back, exports.
#include "teacher/teacher_view.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <utility>
#include <vector>

#include "records/results_recorder.h"
#include "teacher/charts.h"

namespace gradoir {
namespace {

using namespace std::chrono_literals;

QString pdfText(const QString& path) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  // Words a table cell wrapped are read as one line.
  return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

class TeacherViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
    ResultsRecorder recorder({.localPath = m_path});
    // Zoé three days ago (measuring, then drawing), Élodie today; Zoé's
    // mistakes: the centre twice, the scale once.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    addSeries(recorder, QStringLiteral("Zoé"), ExerciseKind::Measuring, now.addDays(-3),
              {{true, {}}, {false, "centre-off-vertex"}, {true, {}}});
    addSeries(recorder, QStringLiteral("Zoé"), ExerciseKind::Drawing, now.addDays(-3).addSecs(900),
              {{false, "wrong-scale"}, {false, "centre-off-vertex"}});
    addSeries(recorder, QStringLiteral("Élodie"), ExerciseKind::Measuring, now,
              {{false, "read-from-zero"}, {false, "read-from-zero"}});
    // Zoé on the measuring path: moved up to level 3, then back to 2.
    recorder.recordPathStep({newRecordId(), now, QStringLiteral("Zoé"), ExerciseKind::Measuring, 1, 2, true, 1, 3});
    recorder.recordPathStep({newRecordId(), now, QStringLiteral("Zoé"), ExerciseKind::Measuring, 2, 3, false, 3, 2});
    ASSERT_TRUE(recorder.waitUntilWritten(10s));
  }

  void addSeries(ResultsRecorder& recorder, const QString& pupil, ExerciseKind kind, const QDateTime& start,
                 QList<std::pair<bool, const char*>> tries) {
    const int n = static_cast<int>(tries.size());
    SeriesRecord s{newRecordId(), pupil, kind, start, start.addSecs(60), 0, n, n};
    for (int i = 0; i < n; ++i) {
      TryRecord t;
      t.id = newRecordId();
      t.time = start.addSecs(10 * i);
      t.pupil = pupil;
      t.seriesId = s.id;
      t.exercise = i + 1;
      t.kind = kind;
      t.level = Level{5, 30, 150, 2, false, false};
      t.target = 30;
      t.answer = tries[i].first ? 30 : 150;
      t.verdict = tries[i].first ? Verdict::Right : Verdict::Wrong;
      if (tries[i].second) t.explanation = QString::fromLatin1(tries[i].second);
      s.score += tries[i].first;
      recorder.recordTry(t);
    }
    recorder.recordSeries(s);
  }

  std::unique_ptr<TeacherView> open(const QString& source = {}) {
    auto view = std::make_unique<TeacherView>(source.isEmpty() ? m_path : source);
    EXPECT_TRUE(view->waitForAnswers(10000));
    return view;
  }

  static QTableWidget* table(QWidget& view, const char* name) {
    return view.findChild<QTableWidget*>(QString::fromLatin1(name));
  }

  static QStringList rowTexts(QTableWidget* t, int row) {
    QStringList cells;
    for (int c = 0; c < t->columnCount(); ++c) cells << (t->item(row, c) ? t->item(row, c)->text() : QString());
    return cells;
  }

  QTemporaryDir m_dir;
  QString m_path = m_dir.filePath(QStringLiteral("r.sqlite"));
};

// One row per pupil of the class list, those who never played too, with the
// mistake made most often in words, never as a code.
TEST_F(TeacherViewTest, ClassOverviewHasEveryPupilInWords) {
  auto view = open();
  view->setClassList({QStringLiteral("Zoé"), QStringLiteral("Nina")});
  ASSERT_TRUE(view->waitForAnswers(10000));
  QTableWidget* overview = table(*view, "overviewTable");
  ASSERT_EQ(overview->rowCount(), 3);
  QMap<QString, QStringList> rows;
  for (int r = 0; r < 3; ++r) rows[overview->item(r, 0)->text()] = rowTexts(overview, r);
  struct Case {
    const char* pupil;
    const char* measuringSeries;
    const char* lastMeasuring;
    const char* measuringMistake;
    const char* measuringPathLevel;
    const char* drawingMistake;
    bool active;
  };
  for (const Case& c : {Case{"Zoé", "1", "2/3", "Centre hors du sommet", "2", "Centre hors du sommet", true},
                        Case{"Élodie", "1", "0/2", "Lecture sans partir du 0", "", "", true},
                        Case{"Nina", "0", "", "", "", "", false}}) {
    SCOPED_TRACE(c.pupil);
    const QStringList row = rows.value(QString::fromUtf8(c.pupil));
    ASSERT_EQ(row.size(), 12);
    EXPECT_EQ(row[1], QString::fromUtf8(c.measuringSeries));
    EXPECT_EQ(row[2], QString::fromUtf8(c.lastMeasuring));
    EXPECT_EQ(row[4], QString::fromUtf8(c.measuringMistake));
    EXPECT_EQ(row[5], QString::fromUtf8(c.measuringPathLevel));
    EXPECT_EQ(row[9], QString::fromUtf8(c.drawingMistake));
    EXPECT_EQ(row[10], QString());  // nobody on the drawing path
    EXPECT_EQ(row[11] != QStringLiteral("jamais"), c.active);
  }
  for (const QString& code : {"centre-off-vertex", "wrong-scale", "read-from-zero"}) {
    for (const QStringList& row : rows) EXPECT_FALSE(row.join(' ').contains(code));
  }
  // At the size it opens with, its columns need no scrolling on 1280 x 800.
  view->show();
  EXPECT_LE(view->width(), 1280);
  EXPECT_LE(view->height(), 800);
  EXPECT_EQ(overview->horizontalScrollBar()->maximum(), 0);
}

// Counts, scores and dates sort by value, not as text: 10 series after 2,
// "10/10" above "9/10", December before January; who never played first.
TEST_F(TeacherViewTest, OverviewSortsByValue) {
  const QString path = m_dir.filePath(QStringLiteral("sort.sqlite"));
  {
    ResultsRecorder recorder({.localPath = path});
    const QList<std::pair<bool, const char*>> ten(10, {true, nullptr});
    QList<std::pair<bool, const char*>> nine = ten;
    nine[0] = {false, "wrong-scale"};
    const QDateTime december(QDate(2025, 12, 20), QTime(12, 0), Qt::UTC);
    for (int day = 9; day >= 0; --day) {
      addSeries(recorder, QStringLiteral("Anna"), ExerciseKind::Measuring, december.addDays(-day), ten);
    }
    const QDateTime january(QDate(2026, 1, 5), QTime(12, 0), Qt::UTC);
    addSeries(recorder, QStringLiteral("Bruno"), ExerciseKind::Measuring, january.addDays(-1), ten);
    addSeries(recorder, QStringLiteral("Bruno"), ExerciseKind::Measuring, january, nine);
    ASSERT_TRUE(recorder.waitUntilWritten(10s));
  }
  auto view = open(path);
  view->setClassList({QStringLiteral("Anna"), QStringLiteral("Bruno"), QStringLiteral("Chloé")});
  ASSERT_TRUE(view->waitForAnswers(10000));
  QTableWidget* overview = table(*view, "overviewTable");
  ASSERT_EQ(overview->rowCount(), 3);
  struct Case {
    int column;
    Qt::SortOrder order;
    QStringList pupils;
  };
  for (const Case& c : {Case{1, Qt::AscendingOrder, {"Chloé", "Bruno", "Anna"}},
                        Case{2, Qt::DescendingOrder, {"Anna", "Bruno", "Chloé"}},
                        Case{11, Qt::AscendingOrder, {"Chloé", "Anna", "Bruno"}}}) {
    SCOPED_TRACE(c.column);
    overview->sortItems(c.column, c.order);
    QStringList pupils;
    for (int r = 0; r < overview->rowCount(); ++r) pupils << overview->item(r, 0)->text();
    EXPECT_EQ(pupils, c.pupils);
  }
}

// The pupil's page: one point per series (a full score higher than an empty
// one), one bar per kind of mistake (longer for more), the series with their
// level, and a double-click lists the series' tries with the explanation
// in words.
TEST_F(TeacherViewTest, PupilPageChartsAndTries) {
  auto view = open();
  view->resize(1240, 740);
  view->show();
  view->showPupil(QStringLiteral("Zoé"));
  ASSERT_TRUE(view->waitForAnswers(10000));
  auto* scores = view->findChild<ScoreChart*>();
  auto* mistakes = view->findChild<MistakeChart*>();
  ASSERT_TRUE(scores && mistakes);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
  const QImage scorePicture = scores->grab().toImage();
  const QList<QPointF> at = scores->placed();
  ASSERT_EQ(at.size(), 2);
  // Measuring 2/3 lies above drawing 0/2, and later series lie further right.
  EXPECT_LT(at[0].y(), at[1].y());
  EXPECT_LT(at[0].x(), at[1].x());
  for (const QPointF& p : at) {
    int dark = 0;
    for (int dx = -4; dx <= 4; ++dx) {
      for (int dy = -4; dy <= 4; ++dy) dark += qGray(scorePicture.pixel(p.toPoint() + QPoint(dx, dy))) < 128;
    }
    EXPECT_GT(dark, 8) << "a marker at each point";
  }
  const QList<MistakeBar> bars = mistakes->bars();
  ASSERT_EQ(bars.size(), 2);
  EXPECT_EQ(bars[0].name, QStringLiteral("Centre hors du sommet"));
  EXPECT_EQ(bars[0].count, 2);
  EXPECT_EQ(bars[1].count, 1);
  // The bar of 2 is twice as long as the bar of 1, measured on the picture.
  const QImage barPicture = mistakes->grab().toImage();
  auto darkRun = [&barPicture](const QPointF& end) {
    int x = end.toPoint().x() - 1, run = 0;
    while (x >= 0 && qGray(barPicture.pixel(x, end.toPoint().y())) < 128) --x, ++run;
    return run;
  };
  EXPECT_NEAR(darkRun(mistakes->placed()[0]), 2.0 * darkRun(mistakes->placed()[1]), 3.0);
  EXPECT_TRUE(view->findChild<QLabel*>(QStringLiteral("adviceLabel"))->text().contains(QStringLiteral("centre")));

  QTableWidget* series = table(*view, "pupilSeriesTable");
  ASSERT_EQ(series->rowCount(), 2);
  EXPECT_TRUE(rowTexts(series, 0).join(' ').contains(QStringLiteral("pas 5, de 30° à 150°, tolérance 2°")));
  view->showSeriesTries(1);  // what a double-click on the row does
  ASSERT_TRUE(view->waitForAnswers(10000));
  ASSERT_NE(view->triesDialog(), nullptr);
  QTableWidget* tries = view->triesDialog()->findChild<QTableWidget*>(QStringLiteral("triesTable"));
  ASSERT_EQ(tries->rowCount(), 2);
  EXPECT_EQ(rowTexts(tries, 0).mid(0, 4), (QStringList{"1", "30°", "150°", "faux"}));
  EXPECT_TRUE(rowTexts(tries, 0)[4].startsWith(QStringLiteral("Tu as suivi la mauvaise graduation")));
}

TEST_F(TeacherViewTest, SeriesAndExplanationsFilteredByPupilAndDate) {
  auto view = open();
  view->findChild<QTabWidget*>(QStringLiteral("pages"))->setCurrentIndex(2);
  // A year holds a hundred thousand series: a view on a model.
  QAbstractItemModel* series = view->findChild<QTableView*>(QStringLiteral("seriesTable"))->model();
  QTableWidget* explanations = table(*view, "explanationTable");
  ASSERT_EQ(series->rowCount(), 3);
  ASSERT_EQ(explanations->rowCount(), 3);
  QStringList counted;
  for (int r = 0; r < 3; ++r) counted << rowTexts(explanations, r).join('=');
  counted.sort();
  EXPECT_EQ(counted, (QStringList{"Centre hors du sommet=2", "Lecture sans partir du 0=2", "Mauvaise graduation=1"}));
  auto* pupil = view->findChild<QComboBox*>(QStringLiteral("pupilFilter"));
  ASSERT_EQ(pupil->count(), 3);  // every pupil, then each by name
  pupil->setCurrentText(QStringLiteral("Zoé"));
  ASSERT_TRUE(view->waitForAnswers(10000));
  ASSERT_EQ(series->rowCount(), 2);
  EXPECT_EQ(series->index(0, 0).data().toString(), QStringLiteral("Zoé"));
  pupil->setCurrentIndex(0);
  // From yesterday on: only today's series.
  view->findChild<QDateEdit*>(QStringLiteral("fromDate"))->setDate(QDate::currentDate().addDays(-1));
  view->findChild<QCheckBox*>(QStringLiteral("fromFilter"))->setChecked(true);
  ASSERT_TRUE(view->waitForAnswers(10000));
  ASSERT_EQ(series->rowCount(), 1);
  EXPECT_EQ(series->index(0, 0).data().toString(), QStringLiteral("Élodie"));
}

TEST_F(TeacherViewTest, ExportsTheTriesAndSeriesItShows) {
  auto view = open();
  view->findChild<QComboBox*>(QStringLiteral("pupilFilter"))->setCurrentText(QStringLiteral("Élodie"));
  ASSERT_TRUE(view->waitForAnswers(10000));
  struct Case {
    bool series;
    int lines;
    const char* holds;
  };
  for (const Case& c : {Case{false, 3, "Lis la graduation où passe le second côté, en partant du 0.;read-from-zero"},
                        Case{true, 2, ";mesurer;"}}) {
    const QString csv = m_dir.filePath(c.series ? QStringLiteral("séries.csv") : QStringLiteral("élodie.csv"));
    ASSERT_TRUE(c.series ? view->exportSeriesTo(csv) : view->exportTo(csv));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.count("\r\n"), c.lines);
    EXPECT_FALSE(bytes.contains("Zo\xC3\xA9"));
    EXPECT_TRUE(QString::fromUtf8(bytes).contains(QString::fromUtf8(c.holds))) << bytes.toStdString();
  }
}

// The report of the page shown, saved as A4 PDF and read back: the class
// overview, then Zoé's report with her name, scores and advice.
TEST_F(TeacherViewTest, ReportsSavedAsPdf) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "pdftotext absent";
  auto view = open();
  view->setClassList({QStringLiteral("Nina")});
  ASSERT_TRUE(view->waitForAnswers(10000));
  const QString classPdf = m_dir.filePath(QStringLiteral("classe.pdf"));
  QString error;
  ASSERT_TRUE(view->saveReportAsPdf(classPdf, &error)) << error.toStdString();
  const QString classText = pdfText(classPdf);
  for (const char* shown : {"Résultats de la classe", "Nina", "Zoé", "Élodie", "jamais", "Centre hors du sommet"}) {
    EXPECT_TRUE(classText.contains(QString::fromUtf8(shown))) << shown;
  }
  view->showPupil(QStringLiteral("Zoé"));
  ASSERT_TRUE(view->waitForAnswers(10000));
  const QString pupilPdf = m_dir.filePath(QStringLiteral("zoé.pdf"));
  ASSERT_TRUE(view->saveReportAsPdf(pupilPdf, &error)) << error.toStdString();
  const QString text = pdfText(pupilPdf);
  for (const char* shown : {"Zoé", "2 séries, 2 exercices justes sur 5 faits.", "Conseil", "centre du rapporteur",
                            "2/3", "0/2"}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << "\n" << text.toStdString();
  }
  EXPECT_FALSE(text.contains(QStringLiteral("Élodie")));
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {pupilPdf});
  ASSERT_TRUE(info.waitForFinished(30000));
  EXPECT_TRUE(info.readAllStandardOutput().contains("(A4)"));
}

TEST_F(TeacherViewTest, AMissingStoreSaysSo) {
  auto view = open(m_dir.filePath(QStringLiteral("absent.sqlite")));
  EXPECT_EQ(table(*view, "overviewTable")->rowCount(), 0);
  EXPECT_FALSE(view->findChild<QLabel*>(QStringLiteral("status"))->text().isEmpty());
}

// At the smallest size its layout allows, in French and in English, the
// window shows every text whole and lays no control over another.
TEST_F(TeacherViewTest, SmallestWindowFitsItsTextsInFrenchAndEnglish) {
  for (const bool english : {false, true}) {
    SCOPED_TRACE(english ? "English" : "French");
    QTranslator translator;
    if (english) {
      if (!translator.load(QStringLiteral(GRADOIR_EN_QM))) GTEST_SKIP() << "no English translation built";
      QCoreApplication::installTranslator(&translator);
    }
    auto view = open();
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(view->findChild<QPushButton*>(QStringLiteral("exportButton"))->text(),
              english ? QStringLiteral("Export as CSV...") : QStringLiteral("Exporter en CSV..."));
    view->resize(1, 1);
    view->show();
    std::vector<std::pair<QString, QRect>> seen;
    for (QWidget* control : view->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!control->isVisible()) continue;
      const QSize needed = control->minimumSizeHint();
      EXPECT_GE(control->width(), needed.width()) << control->objectName().toStdString();
      EXPECT_GE(control->height(), needed.height()) << control->objectName().toStdString();
      EXPECT_TRUE(view->rect().contains(control->geometry())) << control->objectName().toStdString();
      for (const auto& [other, place] : seen) {
        EXPECT_FALSE(place.intersects(control->geometry()))
            << control->objectName().toStdString() << " overlaps " << other.toStdString();
      }
      seen.emplace_back(control->objectName(), control->geometry());
    }
    EXPECT_EQ(seen.size(), 13u);
  }
}

}  // namespace
}  // namespace gradoir
