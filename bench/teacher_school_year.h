#pragma once
// A big school's year of results, made for the teacher's desk benchmarks:
// a class list of `pupils` names and `tries` tries in series of six to ten
// exercises with up to three tries each (about one series per nine tries),
// spread over a school year, some series abandoned and a few never ended.
// The same sizes always give the same data (a seeded generator).
#include <QString>
#include <QStringList>

namespace gradoir {
class SqlConnection;
}

namespace gradoir::bench {

struct SchoolYear {
  int pupils = 500;
  qint64 tries = 1'000'000;
};

// "Zoé Martin", ...: `count` different names.
QStringList pupilNames(int count);

// Writes `year` into the store of `connection` (its tables made, empty), in
// one transaction with many rows per statement. False with `error` set.
bool fillSchoolYear(SqlConnection& connection, const SchoolYear& year, QString* error, qint64* seriesWritten);

// A SQLite file holding `year`, kept in `folder` between runs (its name
// holds the sizes) and made when missing; empty with `error` set on failure.
QString cachedSchoolYearFile(const QString& folder, const SchoolYear& year, QString* error);

// The class list of `year` written in `folder`; its path.
QString classListFile(const QString& folder, const SchoolYear& year);

}  // namespace gradoir::bench
