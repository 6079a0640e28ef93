#include "records/postgres_url.h"

#include <QUrl>
#include <QUrlQuery>

namespace gradoir {

namespace {

constexpr int kDefaultPort = 5432;

bool isPostgresScheme(const QString& scheme) {
  return scheme == QLatin1String("postgresql") || scheme == QLatin1String("postgres");
}

}  // namespace

std::optional<PostgresTarget> parsePostgresUrl(const QString& url) {
  const QUrl parsed(url.trimmed(), QUrl::StrictMode);
  if (!parsed.isValid() || !isPostgresScheme(parsed.scheme())) return std::nullopt;

  PostgresTarget target;
  target.host = parsed.host(QUrl::FullyDecoded);
  target.port = parsed.port(kDefaultPort);
  target.user = parsed.userName(QUrl::FullyDecoded);
  target.password = parsed.password(QUrl::FullyDecoded);
  target.database = parsed.path(QUrl::FullyDecoded);
  if (target.database.startsWith(QLatin1Char('/'))) target.database.remove(0, 1);
  if (target.database.isEmpty() || target.database.contains(QLatin1Char('/'))) return std::nullopt;
  if (target.port <= 0) return std::nullopt;

  const QUrlQuery query(parsed);
  if (query.hasQueryItem(QStringLiteral("host"))) {
    target.host = query.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded);
  }
  return target;
}

}  // namespace gradoir
