#include "ui/sharp_pixmap.h"

#include <QFile>
#include <QFileInfo>

namespace gradoir {

QPixmap sharpPixmap(const QString& path, qreal ratio) {
  if (ratio > 1) {
    const QFileInfo info(path);
    const QString twice = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("@2x.") +
                          info.suffix();
    if (QFile::exists(twice)) {
      QPixmap picture(twice);
      // The reader takes the ratio from the "@2x" name; said again so the
      // picture keeps its logical size whatever reads it.
      picture.setDevicePixelRatio(2);
      if (!picture.isNull()) return picture;
    }
  }
  return QPixmap(path);
}

}  // namespace gradoir
