#pragma once
// The explanation shown after a wrong try: a short text on the canvas,
// beside the tool box, never over the angle. A real label, so that screen
// readers read it (its accessible name is its text). It takes no pointer
// input: a press on it reaches the canvas beneath.
#include <QLabel>
#include <QRect>
#include <QSize>
#include <vector>

#include "raster/types.h"

namespace gradoir {

// Where a box of `size` goes: beside the tool box (right, below, left,
// above), else in a corner of the canvas, else anywhere on an 8-pixel grid,
// the first place inside the canvas that meets neither the tool box nor any
// of `avoid` (right and bottom inclusive, as the side bounds are). Places
// clear of `rather` too come first. When nothing is free (a canvas too
// small for it), below the tool box.
QPoint explanationPlace(QSize size, const QRect& toolBox, QSize canvas, const std::vector<Rect>& avoid,
                        const std::vector<Rect>& rather = {});

class ExplanationLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ExplanationLabel(QWidget* parent);

  // Shows `text`, sized to it, placed by explanationPlace.
  void showBeside(const QString& text, const QRect& toolBox, QSize canvas, const std::vector<Rect>& avoid,
                  const std::vector<Rect>& rather = {});
  // Hidden and empty.
  void clearExplanation();
};

}  // namespace gradoir
