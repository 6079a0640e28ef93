#include "records/results_recorder.h"

#include "records/local_writer.h"
#include "records/outbox_forwarder.h"
#include "records/postgres_url.h"
#include "records/results_location.h"

namespace gradoir {

ResultsRecorder::ResultsRecorder(const RecorderOptions& options)
    : m_localPath(options.localPath.isEmpty() ? defaultResultsPath() : options.localPath) {
  if (options.localPath.isEmpty()) prepareDefaultResultsFolder();
  // An address of another kind is no file name: nothing is written to a
  // folder named "http:" wherever the program was started.
  if (looksLikeAddress(m_localPath)) {
    m_storesNothing = true;
    m_configurationError = tr("« %1 » n'est ni un fichier ni une adresse postgresql://").arg(hidePasswords(m_localPath));
    return;
  }
  auto changed = [this] { emit statusChanged(); };
  if (!options.serverUrl.isEmpty()) {
    const PostgresAddress server = parsePostgresAddress(options.serverUrl);
    if (server.target) {
      m_forwarder = std::make_unique<OutboxForwarder>(OutboxForwarder::Options{
          m_localPath, *server.target, options.retryDelay, options.maxRetryDelay, options.quitWait, changed});
    } else {
      m_configurationError = tr("adresse du serveur non reconnue, %1").arg(server.problem);
    }
  }
  LocalWriter::Options writer{m_localPath, m_forwarder != nullptr, options.retryDelay, {}, changed};
  if (m_forwarder) writer.afterCommit = [forwarder = m_forwarder.get()] { forwarder->wake(); };
  m_writer = std::make_unique<LocalWriter>(std::move(writer));
}

ResultsRecorder::~ResultsRecorder() {
  // The workers report as they stop; nobody listens any more.
  blockSignals(true);
  m_writer.reset();
  m_forwarder.reset();
}

void ResultsRecorder::recordSeries(const SeriesRecord& series) {
  if (m_writer) m_writer->enqueue(series);
}

void ResultsRecorder::recordTry(const TryRecord& attempt) {
  if (m_writer) m_writer->enqueue(attempt);
}

void ResultsRecorder::recordPathStep(const PathStepRecord& step) { m_writer->enqueue(step); }

bool ResultsRecorder::waitUntilWritten(std::chrono::milliseconds timeout) {
  return m_writer && m_writer->waitUntilWritten(timeout);
}

bool ResultsRecorder::waitUntilKept(std::chrono::milliseconds timeout) {
  return m_writer && m_writer->waitUntilKept(timeout);
}

ResultsRecorder::Status ResultsRecorder::status() const {
  auto said = [](State state, const QString& text) { return Status{state, hidePasswords(text)}; };
  if (m_storesNothing) {
    return said(State::NotRecorded, tr("Les résultats ne sont pas enregistrés : %1.").arg(m_configurationError));
  }
  const LocalWriter::Status local = m_writer->status();
  if (!local.problem.isEmpty()) {
    const bool allKept = local.unwritten > 0 && local.kept >= local.unwritten;
    if (local.busy) {
      return said(State::Waiting,
                  tr("Résultats en attente : %1. Ils seront enregistrés dès que possible.").arg(local.problem));
    }
    return said(State::NotRecorded, tr("Les résultats ne sont pas enregistrés : %1.").arg(local.problem) +
                                        (allKept ? tr(" Ceux déjà joués sont gardés à côté, en attente.") : QString()));
  }
  if (!m_configurationError.isEmpty()) {
    return said(State::NotSent,
                tr("Les résultats ne sont pas envoyés au serveur : %1. Ils restent sur cet ordinateur.")
                    .arg(m_configurationError));
  }
  if (m_forwarder) {
    if (const QString problem = m_forwarder->lastError(); !problem.isEmpty()) {
      return said(State::NotSent, tr("Envoi des résultats en attente : %1").arg(problem));
    }
  }
  return {};
}

QString ResultsRecorder::lastError() const {
  if (m_writer) {
    if (const QString local = m_writer->lastError(); !local.isEmpty()) return hidePasswords(local);
  }
  if (!m_configurationError.isEmpty()) return m_configurationError;
  return m_forwarder ? hidePasswords(m_forwarder->lastError()) : QString();
}

}  // namespace gradoir
