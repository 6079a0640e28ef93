// Larger copies of the 32x32 window icon for the desktop's icon theme. The
// icon is pixel art, so it is enlarged by repeating pixels rather than by
// smoothing, which would blur its one-pixel outline.
#pragma once

#include <QImage>
#include <QString>

namespace gradoir {

// Source column (or row) shown at output column `out` when `sourceSize` pixels
// are spread over `targetSize`: the pixel under the centre of the output
// pixel, a tie going to the pixel nearer the middle. Exact integer arithmetic:
// whole-number factors give even blocks, and any other factor mirrors exactly
// (but for an odd size's middle pixel).
int nearestSourceIndex(int out, int sourceSize, int targetSize);

// `source` enlarged (or reduced) to size x size by nearest-neighbour sampling,
// as 32-bit ARGB with the source's transparency kept. A null image for a null
// source or a size below 1.
QImage upscaleNearest(const QImage& source, int size);

// Reads `input`, writes its size x size copy to `output` as PNG. Returns an
// empty string on success, otherwise a one-line reason.
QString writeUpscaledIcon(const QString& input, const QString& output, int size);

}  // namespace gradoir
