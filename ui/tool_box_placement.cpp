#include "ui/tool_box_placement.h"

#include <algorithm>

#include "raster/geometry.h"
#include "ui/floating_panel.h"

namespace gradoir {

namespace {

constexpr int kCornerMargin = 8;
constexpr int kCornerCount = 4;

Rect boundsOf(const FloatingPanel& box) {
  const QRect g = box.geometry();
  return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

QPoint cornerPosition(int index, QSize canvas, QSize box) {
  const int right = canvas.width() - box.width() - kCornerMargin;
  const int bottom = canvas.height() - box.height() - kCornerMargin;
  switch (index) {
    case 0: return {kCornerMargin, kCornerMargin};
    case 1: return {right, kCornerMargin};
    case 2: return {kCornerMargin, bottom};
    default: return {right, bottom};
  }
}

}  // namespace

void placeToolBox(FloatingPanel& toolBox, QSize canvas, const Rect& first, const Rect& second) {
  for (int corner = 0;; ++corner) {
    const Rect bounds = boundsOf(toolBox);
    if (!rectsOverlap(bounds, first) && !rectsOverlap(bounds, second)) break;
    toolBox.hidePanel();
    if (corner == kCornerCount) return;
    toolBox.move(cornerPosition(corner, canvas, toolBox.size()));
  }
  if (toolBox.isHidden()) toolBox.showPanel();
}

}  // namespace gradoir
