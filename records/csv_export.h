#pragma once
// The exports a teacher opens in a spreadsheet: one line per try, or per
// series, after a header line; ";" between fields and a decimal comma (what
// French spreadsheets expect), UTF-8 with a byte-order mark so accents
// survive, CRLF line ends and RFC 4180 quoting (a field holding ';', '"', CR
// or LF is quoted, its quotes doubled). Times come twice: ISO 8601 UTC as
// stored, for programs, and local "2026-03-05 10:41:07", which spreadsheets
// take for a date and time on opening. A text that a spreadsheet would run
// as a formula (starting with '=', '+', '-', '@', a tab or CR: a pupil named
// "=HYPERLINK(...)") is written after a "'", which makes it plain text.
//
// The files are written as they are read (constant memory, whatever the
// number of tries) into a QSaveFile: replaced whole or left untouched.
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

#include "records/results_reader.h"
#include "records/try_record.h"

class QIODevice;

namespace gradoir {

// The words a person reads for a try's explanation (the stored code by
// default; the teacher's desk gives the explanation in the user's language).
// They may depend only on the explanation's code, the kind of exercise and
// the measure asked for: an export makes each once.
using ExplanationWords = std::function<QString(const TryRecord&)>;

QByteArray csvHeader(const QStringList& names);
QByteArray tryCsvLine(const TryRecord& attempt, const ExplanationWords& words = {});
QByteArray seriesCsvLine(const SeriesRecord& series);
QStringList tryCsvColumns();
QStringList seriesCsvColumns();
// What a field becomes in the file: guarded against formulas, then quoted.
QString csvField(const QString& text);

QByteArray triesToCsv(const QList<TryRecord>& tries, const ExplanationWords& words = {});

// The tries (or the series) of `source` (a SQLite file or a server address,
// as for ResultsReader) in `filter`, written to `outputPath`, replaced whole
// or left untouched (QSaveFile). Refused when `outputPath` is the store or
// any SQLite database (exportTargetProblem). Needs a QCoreApplication, no
// display. False with `error` set on failure.
bool exportCsv(const QString& source, const QString& outputPath, QString* error = nullptr,
               const ExplanationWords& words = {});
bool exportCsv(const QString& source, const ResultsFilter& filter, const QString& outputPath, QString* error,
               const ExplanationWords& words);
bool exportSeriesCsv(const QString& source, const ResultsFilter& filter, const QString& outputPath,
                     QString* error = nullptr);

}  // namespace gradoir
