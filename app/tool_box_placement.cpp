#include "app/tool_box_placement.h"

#include <algorithm>

#include "ui/floating_window.h"

namespace gradoir {

namespace {

constexpr int kCornerMargin = 8;
constexpr int kCornerCount = 4;

TRect BoundsOf(const TFloatingWindow& box) {
  const QRect g = box.geometry();
  return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

QPoint Corner(int index, QSize canvas, QSize box) {
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

bool RectsOverlap(const TRect& a, const TRect& b) {
  return std::max(a.Left, b.Left) <= std::min(a.Right, b.Right) &&
         std::max(a.Top, b.Top) <= std::min(a.Bottom, b.Bottom);
}

void PlaceToolBox(TFloatingWindow& toolBox, QSize canvas, const TRect& first, const TRect& second) {
  for (int corner = 0;; ++corner) {
    const TRect bounds = BoundsOf(toolBox);
    if (!RectsOverlap(bounds, first) && !RectsOverlap(bounds, second)) break;
    toolBox.HidePanel();
    if (corner == kCornerCount) return;
    toolBox.move(Corner(corner, canvas, toolBox.size()));
  }
  if (toolBox.isHidden()) toolBox.ShowPanel();
}

}  // namespace gradoir
