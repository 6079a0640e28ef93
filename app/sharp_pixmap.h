#pragma once
// Pictures for the screen's density: on a screen of ratio 2 or more, the
// version drawn at double resolution ("name@2x.xpm" beside "name.xpm") when
// there is one, so that lamps and cursor stay sharp. Icons given to QIcon
// find those versions themselves; plain pixmaps (a label's picture, a
// cursor) come through here.
#include <QPixmap>
#include <QString>

namespace gradoir {

// ratio: the device pixel ratio the picture is for (the widget's or the
// application's). Below 2, or without a double version, the plain picture.
QPixmap sharpPixmap(const QString& path, qreal ratio);

}  // namespace gradoir
