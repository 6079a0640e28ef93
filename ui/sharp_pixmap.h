#pragma once
// Pictures for the screen's density: on a screen of ratio above 1, the
// version drawn at double resolution ("name@2x.xpm" beside "name.xpm") when
// there is one, so that lamps and cursor stay sharp. Icons given to QIcon
// find those versions themselves; plain pixmaps (a label's picture, a
// cursor) come through here.
#include <QPixmap>
#include <QString>

namespace gradoir {

// ratio: the device pixel ratio the picture is for (the widget's or the
// application's). At 1, or without a double version, the plain picture;
// between 1 and 2 Qt reduces the double one, which stays sharper than an
// enlarged plain one.
QPixmap sharpPixmap(const QString& path, qreal ratio);

}  // namespace gradoir
