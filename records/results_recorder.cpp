#include "records/results_recorder.h"

#include <QCoreApplication>

#include "records/local_writer.h"
#include "records/outbox_forwarder.h"
#include "records/postgres_url.h"
#include "records/results_location.h"

namespace gradoir {

ResultsRecorder::ResultsRecorder(const RecorderOptions& options)
    : m_localPath(options.localPath.isEmpty() ? defaultResultsPath() : options.localPath) {
  if (!options.serverUrl.isEmpty()) {
    if (const std::optional<PostgresTarget> server = parsePostgresUrl(options.serverUrl)) {
      m_forwarder = std::make_unique<OutboxForwarder>(
          OutboxForwarder::Options{m_localPath, *server, options.retryDelay, options.maxRetryDelay});
    } else {
      m_configurationError = QCoreApplication::translate("gradoir::ResultsRecorder",
                                                         "Adresse du serveur de résultats non reconnue");
    }
  }
  LocalWriter::Options writer{m_localPath, m_forwarder != nullptr, options.retryDelay, {}};
  if (m_forwarder) writer.afterCommit = [forwarder = m_forwarder.get()] { forwarder->wake(); };
  m_writer = std::make_unique<LocalWriter>(std::move(writer));
}

ResultsRecorder::~ResultsRecorder() = default;

void ResultsRecorder::recordSeries(const SeriesRecord& series) { m_writer->enqueue(series); }

void ResultsRecorder::recordTry(const TryRecord& attempt) { m_writer->enqueue(attempt); }

void ResultsRecorder::recordPathStep(const PathStepRecord& step) { m_writer->enqueue(step); }

bool ResultsRecorder::waitUntilWritten(std::chrono::milliseconds timeout) {
  return m_writer->waitUntilWritten(timeout);
}

QString ResultsRecorder::lastError() const {
  if (const QString local = m_writer->lastError(); !local.isEmpty()) return local;
  if (!m_configurationError.isEmpty()) return m_configurationError;
  return m_forwarder ? m_forwarder->lastError() : QString();
}

}  // namespace gradoir
