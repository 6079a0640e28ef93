#pragma once
// The export a teacher opens in a spreadsheet: one line per try, a header
// line, ";" between fields and a decimal comma (what French spreadsheets
// expect), UTF-8 with a byte-order mark so accents survive, CRLF line ends
// and RFC 4180 quoting (a field holding ';', '"', CR or LF is quoted, its
// quotes doubled). Times stay ISO 8601 UTC as stored.
#include <QByteArray>
#include <QList>
#include <QString>

#include "records/try_record.h"

namespace gradoir {

QByteArray triesToCsv(const QList<TryRecord>& tries);

// Every try of `source` (a SQLite file or a server address, as for
// ResultsReader) written to `outputPath`, replaced whole or left untouched
// (QSaveFile). Refused when `outputPath` is the store or any SQLite database
// (exportTargetProblem). Needs a QCoreApplication, no display. False with
// `error` set on failure.
bool exportCsv(const QString& source, const QString& outputPath, QString* error = nullptr);

}  // namespace gradoir
