#pragma once
// The teacher's reports on paper: the class overview, and a pupil's report
// (name, period, scores, the score chart, mistakes, one sentence of advice
// from the most frequent mistake). A4, black on white; printed through Qt
// Print Support or saved as PDF by the same code (a QTextDocument, which
// pages itself).
#include <QList>
#include <QString>
#include <memory>

#include "records/try_record.h"
#include "teacher/charts.h"
#include "teacher/desk_data.h"

class QPagedPaintDevice;
class QTextDocument;

namespace gradoir {

struct PupilReport {
  QString pupil;
  QString period;  // "du 02/03/2026 au 09/03/2026", or all dates
  QList<SeriesRecord> series;
  QList<MistakeBar> mistakes;  // most frequent first
  QString topMistakeCode;
};

std::unique_ptr<QTextDocument> classReportDocument(const QList<OverviewRow>& rows, const QString& period);
std::unique_ptr<QTextDocument> pupilReportDocument(const PupilReport& report);

// On any paged device: a printer, a PDF writer.
void printReport(QTextDocument& document, QPagedPaintDevice& device);
// Through a QSaveFile; false with `error` set on failure.
bool saveReportAsPdf(QTextDocument& document, const QString& path, QString* error = nullptr);

}  // namespace gradoir
