#include "teacher/reports.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QImage>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>

#include "teacher/mistake_words.h"

namespace gradoir {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("gradoir::Reports", text); }

QString esc(const QString& text) { return text.toHtmlEscaped(); }

QString cell(const QString& text, bool head = false) {
  return head ? QStringLiteral("<th>%1</th>").arg(esc(text)) : QStringLiteral("<td>%1</td>").arg(esc(text));
}

QString kindName(ExerciseKind kind) { return kind == ExerciseKind::Measuring ? tr("Mesurer") : tr("Tracer"); }

QString dateText(const QDateTime& utc) { return QLocale().toString(utc.toLocalTime(), QLocale::ShortFormat); }

const QString kStyle = QStringLiteral(
    "<style>body { font-family: 'DejaVu Sans'; font-size: 9pt; color: black; } "
    "h1 { font-size: 15pt; } h2 { font-size: 11pt; } th { text-align: left; border-bottom: 1px solid black; } "
    "td, th { padding: 2px 6px; }</style>");

std::unique_ptr<QTextDocument> newDocument(const QString& html) {
  auto document = std::make_unique<QTextDocument>();
  document->setHtml(html);
  return document;
}

// A chart as a picture of the document, drawn large so that it prints sharp.
QImage chartImage(const std::function<void(QPainter&, const QRectF&)>& paint) {
  QImage image(1800, 700, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(34);
  p.setFont(font);
  paint(p, QRectF(image.rect()).adjusted(10, 10, -10, -10));
  return image;
}

}  // namespace

std::unique_ptr<QTextDocument> classReportDocument(const QList<OverviewRow>& rows, const QString& period) {
  QString html = kStyle + QStringLiteral("<h1>%1</h1><p>%2</p>").arg(esc(tr("Résultats de la classe")), esc(period));
  html += QStringLiteral("<table cellspacing=\"0\" width=\"100%\"><tr>");
  for (const QString& h : {tr("Élève"), tr("Mesurer : séries"), tr("dernier score"), tr("tendance"),
                           tr("Tracer : séries"), tr("dernier score"), tr("tendance"), tr("erreur la plus fréquente"),
                           tr("dernière activité")}) {
    html += cell(h, true);
  }
  html += QStringLiteral("</tr>");
  for (const OverviewRow& r : rows) {
    html += QStringLiteral("<tr>") + cell(r.pupil);
    QStringList mistakes;
    for (const ExerciseKind kind : {ExerciseKind::Measuring, ExerciseKind::Drawing}) {
      const KindSummary& k = r.of(kind);
      html += cell(QString::number(k.series)) + cell(k.last ? seriesScoreText(*k.last) : QString()) +
              cell(trendText(k.lastFive));
      if (!k.topMistake.isEmpty()) mistakes << mistakeName(k.topMistake);
    }
    html += cell(mistakes.join(QStringLiteral(" / "))) + cell(r.lastActivity ? dateText(*r.lastActivity) : tr("jamais"));
    html += QStringLiteral("</tr>");
  }
  return newDocument(html + QStringLiteral("</table>"));
}

std::unique_ptr<QTextDocument> pupilReportDocument(const PupilReport& report) {
  QString html = kStyle + QStringLiteral("<h1>%1</h1><p>%2</p>").arg(esc(report.pupil), esc(report.period));
  int right = 0, played = 0;
  for (const SeriesRecord& s : report.series) {
    right += s.score;
    played += s.played.value_or(0);
  }
  html += QStringLiteral("<p>%1</p>").arg(esc(tr("%1 séries, %2 exercices justes sur %3 faits.")
                                                  .arg(report.series.size())
                                                  .arg(right)
                                                  .arg(played)));
  html += QStringLiteral("<h2>%1</h2><p><img src=\"chart://scores\" width=\"640\"></p>").arg(esc(tr("Score de chaque série")));
  html += QStringLiteral("<h2>%1</h2><p><img src=\"chart://mistakes\" width=\"640\"></p>").arg(esc(tr("Erreurs")));
  html += QStringLiteral("<h2>%1</h2><p>%2</p>").arg(esc(tr("Conseil")), esc(adviceFor(report.topMistakeCode)));
  html += QStringLiteral("<h2>%1</h2><table cellspacing=\"0\"><tr>").arg(esc(tr("Séries")));
  for (const QString& h : {tr("Début"), tr("Exercice"), tr("Score")}) html += cell(h, true);
  html += QStringLiteral("</tr>");
  for (const SeriesRecord& s : report.series) {
    html += QStringLiteral("<tr>") + cell(dateText(s.start)) + cell(kindName(s.kind)) + cell(seriesScoreText(s)) +
            QStringLiteral("</tr>");
  }
  auto document = std::make_unique<QTextDocument>();
  QList<ScorePoint> points;
  for (const SeriesRecord& s : report.series) points.append({s.start, seriesFraction(s), s.kind});
  document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("chart://scores")),
                        chartImage([&](QPainter& p, const QRectF& r) { paintScoreChart(p, r, points); }));
  document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("chart://mistakes")),
                        chartImage([&](QPainter& p, const QRectF& r) { paintMistakeChart(p, r, report.mistakes); }));
  // The pictures first: the HTML takes its sizes from them.
  document->setHtml(html + QStringLiteral("</table>"));
  return document;
}

void printReport(QTextDocument& document, QPagedPaintDevice& device) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                   QPageLayout::Millimeter));
  document.print(&device);
}

bool saveReportAsPdf(QTextDocument& document, const QString& path, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  {
    QPdfWriter pdf(&file);
    pdf.setCreator(QStringLiteral("Gradoir"));
    pdf.setTitle(tr("Résultats Gradoir"));
    printReport(document, pdf);
  }
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace gradoir
