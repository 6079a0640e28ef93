#include "view/compositor.h"

#include <algorithm>

#include "raster/geometry.h"
#include "raster/opacity_scan.h"

namespace gradoir {

namespace {

// A buffer that no longer fits the picture's extent: too small, or larger
// by more than the slack.
bool needsRealloc(std::int32_t bufferExtent, std::int32_t pictureExtent) {
  return pictureExtent > bufferExtent || bufferExtent - pictureExtent > Compositor::kBufferSlack;
}

}  // namespace

Compositor::Compositor() {
  // Drawing into the buffer never notifies anyone: this batch stays open.
  m_buffer.beginUpdate();
}

Compositor::~Compositor() = default;

void Compositor::setSize(std::int32_t width, std::int32_t height) {
  const std::int32_t w = std::max(0, width), h = std::max(0, height);
  if (w != m_width || h != m_height) {
    m_width = w;
    m_height = h;
    invalidateAll();
    m_translucent = kWholeControl;
  }
  if (!needsRealloc(m_buffer.width(), w) && !needsRealloc(m_buffer.height(), h)) return;
  m_buffer.setBitmapSize(w, h);
  invalidateAll();
  m_translucent = kWholeControl;
}

void Compositor::dropBuffer() {
  m_buffer.setBitmapSize(0, 0);
  m_width = m_height = -1;
  invalidateAll();
}

void Compositor::invalidate() {
  if (!m_hasStale) addStaleArea(kWholeControl);
  m_valid = false;
}

void Compositor::invalidateAll() {
  addStaleArea(kWholeControl);
  m_valid = false;
}

void Compositor::addStaleArea(const Rect& area) {
  if (rectIsEmpty(area)) return;
  m_stale = m_hasStale ? boundingRect(m_stale, area) : area;
  m_hasStale = true;
}

bool Compositor::staleArea(Rect& area) const {
  if (m_hasStale) area = m_stale;
  return m_hasStale;
}

void Compositor::rebuild() {
  Rect area;
  const bool stale = m_hasStale && intersectRects(area, m_stale, m_buffer.pixelBounds()) && !rectIsEmpty(area);
  m_hasStale = false;
  m_stale = Rect{};
  if (stale) {
    rebuildArea(area);
    noteRebuilt(area);
  }
  m_valid = true;
}

// Each step computes every pixel of the area from that pixel alone, so the
// area comes out as a whole rebuild makes it.
void Compositor::rebuildArea(const Rect& area) {
  clearBackground(area);
  drawLayers(area);
}

std::optional<Rect> Compositor::visibleOpaqueCover() const {
  for (int k = 0; k < m_layers.count(); ++k) {
    const Layer* layer = m_layers.items(k);
    if (!layer->visible()) continue;
    if (std::optional<Rect> cover = layer->opaqueCover(m_buffer)) return cover;
  }
  return std::nullopt;
}

void Compositor::clearBackground(const Rect& a) {
  const std::optional<Rect> cover = visibleOpaqueCover();
  Rect c;
  if (!cover || !intersectRects(c, *cover, a) || rectIsEmpty(c)) {
    m_buffer.fillBlock(a.left, a.top, a.right, a.bottom, kBackground);
    return;
  }
  // A layer copies over its cover whatever lies there (the canvas's angle
  // layer covers the whole picture), so only the rest is filled: one
  // full-frame pass less per whole rebuild.
  m_buffer.fillBlock(a.left, a.top, a.right, c.top, kBackground);
  m_buffer.fillBlock(a.left, c.top, c.left, c.bottom, kBackground);
  m_buffer.fillBlock(c.right, c.top, a.right, c.bottom, kBackground);
  m_buffer.fillBlock(a.left, c.bottom, a.right, a.bottom, kBackground);
}

void Compositor::drawLayers(const Rect& area) {
  for (int i = 0; i < m_layers.count(); ++i) {
    Layer* layer = m_layers.items(i);
    if (layer->visible()) layer->paintLayer(m_buffer, area);
  }
}

void Compositor::noteRebuilt(const Rect& area) {
  Rect known;
  const bool had = intersectRects(known, m_translucent, m_buffer.pixelBounds()) && !rectIsEmpty(known);
  Rect found;
  const bool has = translucentBounds(m_buffer, area, found);
  if (!had || rectWithin(known, area)) {
    m_translucent = has ? found : Rect{};
  } else if (has) {
    m_translucent = boundingRect(known, found);
  }
}

}  // namespace gradoir
