#include "teacher/desk_data.h"

#include <QCoreApplication>
#include <QHash>
#include <cmath>

namespace gradoir {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("gradoir::DeskData", text); }

QString percent(double fraction) { return QStringLiteral("%1 %").arg(std::lround(fraction * 100)); }

}  // namespace

double seriesFraction(const SeriesRecord& s) {
  const int played = s.played.value_or(s.length);
  return played > 0 ? static_cast<double>(s.score) / played : 0.0;
}

QString seriesScoreText(const SeriesRecord& s) {
  const int played = s.played.value_or(0);
  if (s.complete()) return QStringLiteral("%1/%2").arg(s.score).arg(s.length);
  const QString done = (s.score <= 1 ? tr("%1 juste sur %2 faits") : tr("%1 justes sur %2 faits")).arg(s.score).arg(played);
  if (s.length <= 0) return done;
  return tr("inachevée : %1, %2 prévus").arg(done).arg(s.length);
}

QString trendText(const QList<double>& f) {
  if (f.isEmpty()) return {};
  if (f.size() == 1) return percent(f.first());
  const qsizetype half = f.size() / 2;
  double early = 0, late = 0;
  for (qsizetype i = 0; i < half; ++i) early += f[i];
  for (qsizetype i = f.size() - half; i < f.size(); ++i) late += f[i];
  const double change = (late - early) / half;
  const QString arrow = change > 0.1 ? QStringLiteral("↗") : change < -0.1 ? QStringLiteral("↘") : QStringLiteral("→");
  return QStringLiteral("%1 %2 … %3").arg(arrow, percent(f.first()), percent(f.last()));
}

QString topMistake(const QList<MistakeCount>& mistakes, const QString& pupil, ExerciseKind kind) {
  const MistakeCount* best = nullptr;
  for (const MistakeCount& m : mistakes) {
    if (m.pupil != pupil || m.kind != kind || m.code == QLatin1String("correction")) continue;
    if (!best || m.count > best->count || (m.count == best->count && m.code < best->code)) best = &m;
  }
  return best ? best->code : QString();
}

QList<OverviewRow> classOverview(const QStringList& classList, const QStringList& pupilsInStore,
                                 const QList<SeriesRecord>& series, const QList<MistakeCount>& mistakes,
                                 const QList<PupilPathLevels>& pathLevels) {
  QList<OverviewRow> rows;
  QHash<QString, qsizetype> index;
  auto rowOf = [&](const QString& pupil) -> OverviewRow& {
    auto it = index.constFind(pupil);
    if (it == index.cend()) {
      it = index.insert(pupil, rows.size());
      rows.append(OverviewRow{pupil, {}, {}, std::nullopt});
    }
    return rows[*it];
  };
  for (const QString& pupil : classList) rowOf(pupil);
  for (const QString& pupil : pupilsInStore) rowOf(pupil);
  // Series come by pupil, oldest first.
  for (const SeriesRecord& s : series) {
    OverviewRow& row = rowOf(s.pupil);
    KindSummary& k = s.kind == ExerciseKind::Measuring ? row.measuring : row.drawing;
    ++k.series;
    if (!k.last || k.last->start <= s.start) k.last = s;
    k.lastFive.append(seriesFraction(s));
    if (k.lastFive.size() > 5) k.lastFive.removeFirst();
    const QDateTime active = s.end.value_or(s.start);
    if (!row.lastActivity || *row.lastActivity < active) row.lastActivity = active;
  }
  // Each pupil's mistakes, in one pass (thousands of counts for a school).
  QHash<QString, QList<MistakeCount>> byPupil;
  for (const MistakeCount& m : mistakes) byPupil[m.pupil].append(m);
  for (OverviewRow& row : rows) {
    const QList<MistakeCount> own = byPupil.value(row.pupil);
    row.measuring.topMistake = topMistake(own, row.pupil, ExerciseKind::Measuring);
    row.drawing.topMistake = topMistake(own, row.pupil, ExerciseKind::Drawing);
  }
  for (const PupilPathLevels& p : pathLevels) {
    OverviewRow& row = rowOf(p.pupil);
    row.measuring.pathLevel = p.measuring;
    row.drawing.pathLevel = p.drawing;
  }
  return rows;
}

}  // namespace gradoir
