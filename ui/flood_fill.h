#pragma once
// Surface flood fill: recolours the 4-connected area of pixels of one colour
// that contains a seed point.
#include <QImage>
#include <QPoint>
#include <QRgb>

namespace gradoir {

// Replaces `surface` (compared with alpha) by `fill` in the area connected to
// `seed`; does nothing when the seed lies outside the image or is not of the
// surface colour. Returns the number of pixels recoloured.
int floodFill(QImage& image, QPoint seed, QRgb surface, QRgb fill);

}  // namespace gradoir
