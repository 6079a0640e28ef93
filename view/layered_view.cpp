#include "view/layered_view.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

#include "raster/errors.h"
#include "raster/geometry.h"
#include "raster/opacity_scan.h"
#include "raster/transfer.h"

namespace gradoir {

namespace {

// Size of a new control until its parent lays it out.
constexpr int kInitialSide = 192;

// Buffer that no longer fits the client extent: too small, or larger by
// more than the slack.
bool needsRealloc(std::int32_t bufferExtent, std::int32_t clientExtent) {
  return clientExtent > bufferExtent ||
         bufferExtent - clientExtent > BufferedView::kBufferSlack;
}

bool rectWithin(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// A logical length in device pixels, rounded up so the buffer covers the
// whole window.
std::int32_t deviceExtentOf(std::int32_t logical, double scale) {
  if (scale == 1.0 || logical <= 0) return std::max(0, logical);
  const double device = std::ceil(static_cast<double>(logical) * scale - 1e-9);
  return static_cast<std::int32_t>(std::min<double>(device, std::numeric_limits<std::int32_t>::max()));
}

double screenScale(const QWidget& widget) {
  const double ratio = widget.devicePixelRatioF();
  return ratio > 0 && std::isfinite(ratio) ? ratio : 1.0;
}

// Bounding rectangle of two; an empty rectangle counts as nothing.
Rect boundingUnion(const Rect& a, const Rect& b) {
  if (rectIsEmpty(a)) return b;
  if (rectIsEmpty(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

}  // namespace

// --- BufferedView ------------------------------------------------------------

BufferedView::BufferedView(QWidget* parent)
    : QWidget(parent), m_buffer(std::make_unique<Bitmap32>()) {
  // Drawing into the buffer never notifies anyone: this batch stays open.
  m_buffer->beginUpdate();
  // The paint covers every pixel, so Qt need not erase the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
  resize(kInitialSide, kInitialSide);
  m_scale = screenScale(*this);
}

BufferedView::~BufferedView() = default;

void BufferedView::paintBuffer() { m_bufferValid = true; }

Rect BufferedView::viewportRect() const { return rectOf(0, 0, deviceWidth(), deviceHeight()); }

std::int32_t BufferedView::deviceWidth() const { return deviceExtentOf(width(), m_scale); }
std::int32_t BufferedView::deviceHeight() const { return deviceExtentOf(height(), m_scale); }

void BufferedView::setDeviceScaleOverride(double scale) {
  m_scaleOverride = scale > 0 && std::isfinite(scale) ? scale : 0;
  followDeviceScale();
}

void BufferedView::followDeviceScale() {
  const double now = m_scaleOverride > 0 ? m_scaleOverride : screenScale(*this);
  if (now == m_scale) return;
  const double previous = m_scale;
  m_scale = now;
  m_bufferValid = false;
  markAllStale();
  m_translucent = kWholeControl;
  deviceScaleChanged(previous);
  update();
}

bool BufferedView::event(QEvent* event) {
  // The window moved to a screen of another density (or the density of its
  // screen changed): the picture is drawn again at the new resolution.
  if (event->type() == QEvent::ScreenChangeInternal) followDeviceScale();
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
  if (event->type() == QEvent::DevicePixelRatioChange) followDeviceScale();
#endif
  return QWidget::event(event);
}

QRect BufferedView::windowRectOf(const Rect& d) const {
  if (m_scale == 1.0) return QRect(d.left, d.top, d.right - d.left, d.bottom - d.top);
  const int l = static_cast<int>(std::floor(d.left / m_scale)), t = static_cast<int>(std::floor(d.top / m_scale));
  const int r = static_cast<int>(std::ceil(d.right / m_scale)), b = static_cast<int>(std::ceil(d.bottom / m_scale));
  return QRect(l, t, r - l, b - t);
}

Rect BufferedView::deviceRectOf(const QRect& w) const {
  const std::int64_t right = std::int64_t{w.left()} + w.width(), bottom = std::int64_t{w.top()} + w.height();
  if (m_scale == 1.0) return rectOf(w.left(), w.top(), static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom));
  auto at = [this](double v, bool up) {
    const double d = up ? std::ceil(v * m_scale - 1e-9) : std::floor(v * m_scale + 1e-9);
    return static_cast<std::int32_t>(std::clamp<double>(d, std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max()));
  };
  return rectOf(at(w.left(), false), at(w.top(), false), at(static_cast<double>(right), true),
                at(static_cast<double>(bottom), true));
}

void BufferedView::invalidateImage() {
  markAllStale();
  requestRepaint();
}

void BufferedView::requestRepaint() {
  // A repaint asked for with nothing recorded (a figure re-showing a layer
  // it did not change) repaints everything, as every repaint once did.
  if (!m_hasStale) markAllStale();
  m_bufferValid = false;
  // Only the stale part of the window is asked for; the window system keeps
  // the rest, which already shows the same pixels. Requests merge into one
  // paint, as whole-window ones did.
  Rect view = viewportRect(), part;
  if (!intersectRects(part, m_stale, view) || rectIsEmpty(part)) return;
  const bool whole = rectWithin(view, part);
  // The window counts logical pixels; the buffer, device ones.
  const QRect w = windowRectOf(part);
  part = rectOf(w.left(), w.top(), w.left() + w.width(), w.top() + w.height());
  m_windowStale = m_hasWindowStale ? boundingUnion(m_windowStale, part) : part;
  m_hasWindowStale = true;
  if (whole) {
    update();
  } else {
    update(w);
  }
}

bool BufferedView::pendingWindowArea(Rect& area) const {
  if (m_hasWindowStale) area = m_windowStale;
  return m_hasWindowStale;
}

void BufferedView::addStaleArea(const Rect& area) {
  if (rectIsEmpty(area)) return;
  m_stale = m_hasStale ? boundingUnion(m_stale, area) : area;
  m_hasStale = true;
}

bool BufferedView::takeStaleArea(Rect& area) {
  const bool stale = m_hasStale && intersectRects(area, m_stale, m_buffer->pixelBounds()) && !rectIsEmpty(area);
  m_hasStale = false;
  m_stale = Rect{};
  return stale;
}

void BufferedView::noteRebuilt(const Rect& area) {
  Rect known;
  const bool had = intersectRects(known, m_translucent, m_buffer->pixelBounds()) && !rectIsEmpty(known);
  Rect found;
  const bool has = translucentBounds(*m_buffer, area, found);
  if (!had || rectWithin(known, area)) {
    m_translucent = has ? found : Rect{};
  } else if (has) {
    m_translucent = boundingUnion(known, found);
  }
}

void BufferedView::repaintNow() {
  invalidateImage();
  repaint();
}

void BufferedView::resizeBuffer() {
  followDeviceScale();
  const std::int32_t w = deviceWidth();
  const std::int32_t h = deviceHeight();
  // A hidden widget gets its resize event only when shown; a size change
  // seen here makes the picture stale all the same.
  if (w != m_paintedWidth || h != m_paintedHeight) {
    m_paintedWidth = w;
    m_paintedHeight = h;
    m_bufferValid = false;
    markAllStale();
    m_translucent = kWholeControl;
  }
  if (!needsRealloc(m_buffer->width(), w) && !needsRealloc(m_buffer->height(), h)) return;
  m_buffer->setBitmapSize(w, h);
  m_bufferValid = false;
  markAllStale();
  m_translucent = kWholeControl;
}

void BufferedView::validateBuffer() {
  resizeBuffer();
  if (!m_bufferValid) paintBuffer();
}

void BufferedView::paintEvent(QPaintEvent* event) {
  // No exception may leave an event handler: a buffer that cannot be had
  // (memory exhausted) shows an empty canvas, and the next paint tries again.
  try {
    validateBuffer();
  } catch (const std::exception&) {
    paintEmpty(event->rect());
    return;
  }
  // The painter is clipped to the event's region anyway; copying only its
  // bounding rectangle spares converting and copying the rest.
  const QRect r = event->rect();
  const Rect area = rectOf(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
  if (m_scale == 1.0)
    copyBufferToWindow(area);
  else
    copyScaledBufferToWindow(deviceRectOf(r));
  if (m_hasWindowStale && rectWithin(m_windowStale, area)) m_hasWindowStale = false;
  doBufferCopied();
}

std::optional<Rect> BufferedView::shownPart(const Rect& area) const {
  if (m_buffer->isEmpty()) return std::nullopt;
  Rect view;
  if (!intersectRects(view, viewportRect(), m_buffer->pixelBounds()) || rectIsEmpty(view)) return std::nullopt;
  if (!intersectRects(view, view, area) || rectIsEmpty(view)) return std::nullopt;
  return view;
}

void BufferedView::copyBufferToWindow(const Rect& area) {
  const std::optional<Rect> shown = shownPart(area);
  if (!shown) return;
  const Rect view = *shown;
  {
    // Wrap the buffer's own memory: Format_ARGB32 words are Color32 values.
    // An opaque pixel reads the same as a premultiplied one, and a
    // premultiplied image reaches a premultiplied window by a plain copy;
    // so only the part that may hold other pixels goes through the colour
    // conversion, which costs more than twice the plain copy.
    const auto* bits = reinterpret_cast<const uchar*>(m_buffer->bits());
    const qsizetype stride = static_cast<qsizetype>(m_buffer->width()) * 4;
    const QImage straight(bits, m_buffer->width(), m_buffer->height(), stride, QImage::Format_ARGB32);
    const QImage opaque(bits, m_buffer->width(), m_buffer->height(), stride, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(this);
    // A block copy: the buffer's alpha byte must not blend with the window.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    auto copy = [&painter](const QImage& image, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
      if (l >= r || t >= b) return;
      const QRect part(l, t, r - l, b - t);
      painter.drawImage(part.topLeft(), image, part);
    };
    Rect mixed;
    if (!intersectRects(mixed, m_translucent, view) || rectIsEmpty(mixed)) {
      copy(opaque, view.left, view.top, view.right, view.bottom);
    } else {
      copy(opaque, view.left, view.top, view.right, mixed.top);
      copy(opaque, view.left, mixed.top, mixed.left, mixed.bottom);
      copy(straight, mixed.left, mixed.top, mixed.right, mixed.bottom);
      copy(opaque, mixed.right, mixed.top, view.right, mixed.bottom);
      copy(opaque, view.left, mixed.bottom, view.right, view.bottom);
    }
  }
}

// On a high-density screen the buffer is wrapped in an image of the screen's
// ratio, so Qt lays its device pixels one to one on the window's.
void BufferedView::copyScaledBufferToWindow(const Rect& area) {
  const std::optional<Rect> shown = shownPart(area);
  if (!shown) return;
  const Rect view = *shown;
  const auto* bits = reinterpret_cast<const uchar*>(m_buffer->bits());
  const qsizetype stride = static_cast<qsizetype>(m_buffer->width()) * 4;
  // Only a buffer with no pixel below full alpha in the part may take the
  // plain premultiplied copy; see copyBufferToWindow.
  Rect mixed;
  const bool opaque = !intersectRects(mixed, m_translucent, view) || rectIsEmpty(mixed);
  QImage image(bits, m_buffer->width(), m_buffer->height(), stride,
               opaque ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32);
  image.setDevicePixelRatio(m_scale);
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QRectF source(view.left, view.top, view.right - view.left, view.bottom - view.top);
  const QRectF target(source.left() / m_scale, source.top() / m_scale, source.width() / m_scale,
                      source.height() / m_scale);
  painter.drawImage(target, image, source);
}

void BufferedView::paintEmpty(const QRect& area) {
  m_buffer->setBitmapSize(0, 0);
  m_paintedWidth = m_paintedHeight = -1;
  m_bufferValid = false;
  markAllStale();
  QPainter painter(this);
  painter.fillRect(area, palette().color(QPalette::Window));
}

void BufferedView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  try {
    resizeBuffer();
  } catch (const std::exception&) {
    // The paint that follows tries again, and shows an empty canvas if it
    // still cannot have the memory.
  }
  m_bufferValid = false;
  markAllStale();
}

void BufferedView::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  m_bufferValid = false;
  markAllStale();
}

// --- LayeredView -----------------------------------------------------------------

LayeredView::LayeredView(QWidget* parent) : BufferedView(parent), m_layers(std::make_unique<LayerStack>(this)) {
  m_layers->onChange = [this] { imageChanged(); };
}

LayeredView::~LayeredView() {
  // From here on no change reaches the half-destroyed control.
  beginUpdate();
  m_layers.reset();
}

void LayeredView::setColor(ToolkitColor color) {
  m_color = color;
  invalidateImage();
}

void LayeredView::beginUpdate() { ++m_updateCount; }

void LayeredView::endUpdate() {
  if (m_updateCount <= 0) throw AssertionFailed("Unpaired EndUpdate call");
  --m_updateCount;
}

void LayeredView::imageChanged() {
  if (m_updateCount != 0) return;
  // The layers have recorded where they changed; only that is rebuilt.
  requestRepaint();
  emit pictureChanged();
}

void LayeredView::paintBuffer() {
  Rect area;
  if (takeStaleArea(area)) {
    rebuildArea(area);
    noteRebuilt(area);
  }
  BufferedView::paintBuffer();
}

// The paint order, once: the background colour, then the visible layers
// from index 0 up, so later layers lie on top. Each step computes every pixel
// of the area from that pixel alone, so the area comes out as a whole
// rebuild makes it.
void LayeredView::rebuildArea(const Rect& area) {
  clearBackground(buffer(), area);
  drawLayers(buffer(), area);
}

std::optional<Rect> LayeredView::visibleOpaqueCover(const Bitmap32& dest) const {
  for (int k = 0; k < m_layers->count(); ++k) {
    const Layer* layer = m_layers->items(k);
    if (!layer->visible()) continue;
    if (std::optional<Rect> cover = layer->opaqueCover(dest)) return cover;
  }
  return std::nullopt;
}

void LayeredView::clearBackground(Bitmap32& dest, const Rect& a) {
  const Color32 color = colorToArgb(m_color);
  const std::optional<Rect> cover = visibleOpaqueCover(dest);
  Rect c;
  if (!cover || !intersectRects(c, *cover, a) || rectIsEmpty(c)) {
    dest.fillBlock(a.left, a.top, a.right, a.bottom, color);
    return;
  }
  // A layer copies over its cover whatever lies there (the canvas's angle
  // layer covers the whole client area), so only the rest is filled: one
  // full-frame pass less per whole rebuild.
  dest.fillBlock(a.left, a.top, a.right, c.top, color);
  dest.fillBlock(a.left, c.top, c.left, c.bottom, color);
  dest.fillBlock(c.right, c.top, a.right, c.bottom, color);
  dest.fillBlock(a.left, c.bottom, a.right, a.bottom, color);
}

void LayeredView::drawLayers(Bitmap32& dest, const Rect& area) {
  for (int i = 0; i < m_layers->count(); ++i) {
    Layer* layer = m_layers->items(i);
    if (layer->visible()) layer->paintLayer(dest, area);
  }
}

}  // namespace gradoir
