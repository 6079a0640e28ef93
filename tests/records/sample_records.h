#pragma once
// Records with every field set to something worth checking, and a few
// direct looks into a store that the public API does not offer.
#include <QString>
#include <QStringList>
#include <ostream>

#include "records/try_record.h"

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace gradoir::test {

SeriesRecord sampleSeries(const QString& pupil, const QDateTime& start);
// Differs with `exercise`: both kinds, all verdicts, with and without an
// answer or an explanation, accents in the texts.
TryRecord sampleTry(const SeriesRecord& series, int exercise);

// The value of a one-value query on the SQLite file (or a server address),
// or an invalid QVariant when it fails.
QVariant queryValue(const QString& source, const QString& sql);
// Which of `ids` are in the tries table.
QStringList storedTryIds(const QString& source, const QStringList& ids);

}  // namespace gradoir::test

namespace gradoir {
// Readable failure messages for series.
inline void PrintTo(const SeriesRecord& s, std::ostream* out) {
  *out << "{" << s.pupil.toStdString() << " " << s.start.toString(Qt::ISODateWithMs).toStdString() << " end "
       << (s.end ? s.end->toString(Qt::ISODateWithMs).toStdString() : "-") << " right " << s.score << " planned "
       << s.length << " played " << (s.played ? std::to_string(*s.played) : "-") << "}";
}
}  // namespace gradoir
