#include "app/series_status.h"

namespace gradoir {

QString seriesProgressText(std::int32_t exerciseNumber, std::int32_t seriesLength) {
  if (seriesLength <= 0) return QStringLiteral("Exercice %1").arg(exerciseNumber);
  return QStringLiteral("Exercice %1 sur %2").arg(exerciseNumber).arg(seriesLength);
}

}  // namespace gradoir
