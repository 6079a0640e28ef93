#include "series/series_status.h"

#include <QCoreApplication>

namespace gradoir {

QString seriesProgressText(std::int32_t exerciseNumber, std::int32_t seriesLength) {
  if (seriesLength <= 0) return QCoreApplication::translate("gradoir::SeriesStatus", "Exercice %1").arg(exerciseNumber);
  return QCoreApplication::translate("gradoir::SeriesStatus", "Exercice %1 sur %2")
      .arg(exerciseNumber)
      .arg(seriesLength);
}

}  // namespace gradoir
