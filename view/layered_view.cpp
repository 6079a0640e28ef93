#include "view/layered_view.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

#include "raster/geometry.h"

namespace gradoir {

namespace {

// Size of a new control until its parent lays it out.
constexpr int kInitialSide = 192;

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

}  // namespace

LayeredView::LayeredView(QWidget* parent) : QWidget(parent) {
  // The paint covers every pixel, so Qt need not erase the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
  resize(kInitialSide, kInitialSide);
  m_scale = screenScale(*this);
  m_compositor.layers().onChange = [this] { layersChanged(); };
}

LayeredView::~LayeredView() {
  // From here on no change reaches the half-destroyed control: the batch is
  // never closed.
  m_compositor.layers().beginUpdate();
}

std::int32_t LayeredView::deviceWidth() const { return deviceExtentOf(width(), m_scale); }
std::int32_t LayeredView::deviceHeight() const { return deviceExtentOf(height(), m_scale); }

void LayeredView::setDeviceScaleOverride(double scale) {
  m_scaleOverride = scale > 0 && std::isfinite(scale) ? scale : 0;
  followDeviceScale();
}

void LayeredView::followDeviceScale() {
  const double now = m_scaleOverride > 0 ? m_scaleOverride : screenScale(*this);
  if (now == m_scale) return;
  const double previous = m_scale;
  m_scale = now;
  m_compositor.invalidateAll();
  deviceScaleChanged(previous);
  update();
}

bool LayeredView::event(QEvent* event) {
  // The window moved to a screen of another density (or the density of its
  // screen changed): the picture is drawn again at the new resolution.
  if (event->type() == QEvent::ScreenChangeInternal) followDeviceScale();
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
  if (event->type() == QEvent::DevicePixelRatioChange) followDeviceScale();
#endif
  return QWidget::event(event);
}

QRect LayeredView::windowRectOf(const Rect& d) const {
  if (m_scale == 1.0) return QRect(d.left, d.top, d.right - d.left, d.bottom - d.top);
  const int l = static_cast<int>(std::floor(d.left / m_scale)), t = static_cast<int>(std::floor(d.top / m_scale));
  const int r = static_cast<int>(std::ceil(d.right / m_scale)), b = static_cast<int>(std::ceil(d.bottom / m_scale));
  return QRect(l, t, r - l, b - t);
}

Rect LayeredView::deviceRectOf(const QRect& w) const {
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

void LayeredView::invalidateImage() {
  m_compositor.invalidateAll();
  requestRepaint();
}

void LayeredView::repaintNow() {
  invalidateImage();
  repaint();
}

void LayeredView::layersChanged() {
  // The layers have recorded where they changed; only that is rebuilt.
  requestRepaint();
  emit pictureChanged();
}

void LayeredView::requestRepaint() {
  m_compositor.invalidate();
  // Only the stale part of the window is asked for; the window system keeps
  // the rest, which already shows the same pixels. Requests merge into one
  // paint, as whole-window ones did.
  Rect stale, part;
  m_compositor.staleArea(stale);
  const Rect view = rectOf(0, 0, deviceWidth(), deviceHeight());
  if (!intersectRects(part, stale, view) || rectIsEmpty(part)) return;
  const bool whole = rectWithin(view, part);
  // The window counts logical pixels; the buffer, device ones.
  const QRect w = windowRectOf(part);
  part = rectOf(w.left(), w.top(), w.left() + w.width(), w.top() + w.height());
  m_windowStale = m_hasWindowStale ? boundingRect(m_windowStale, part) : part;
  m_hasWindowStale = true;
  if (whole) {
    update();
  } else {
    update(w);
  }
}

bool LayeredView::pendingWindowArea(Rect& area) const {
  if (m_hasWindowStale) area = m_windowStale;
  return m_hasWindowStale;
}

void LayeredView::sizeBufferToWindow() {
  followDeviceScale();
  // A hidden widget gets its resize event only when shown; a size change
  // seen here makes the picture stale all the same.
  m_compositor.setSize(deviceWidth(), deviceHeight());
}

void LayeredView::validateBuffer() {
  sizeBufferToWindow();
  if (!m_compositor.valid()) m_compositor.rebuild();
}

void LayeredView::paintEvent(QPaintEvent* event) {
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
}

std::optional<Rect> LayeredView::shownPart(const Rect& area) const {
  const Bitmap32& buffer = m_compositor.buffer();
  if (buffer.isEmpty()) return std::nullopt;
  Rect view;
  if (!intersectRects(view, rectOf(0, 0, deviceWidth(), deviceHeight()), buffer.pixelBounds()) ||
      rectIsEmpty(view))
    return std::nullopt;
  if (!intersectRects(view, view, area) || rectIsEmpty(view)) return std::nullopt;
  return view;
}

QImage LayeredView::bufferImage(QImage::Format format) const {
  // The buffer's own memory, not a copy: Format_ARGB32 words are Color32 values.
  const Bitmap32& buffer = m_compositor.buffer();
  return QImage(reinterpret_cast<const uchar*>(buffer.bits()), buffer.width(), buffer.height(),
                static_cast<qsizetype>(buffer.width()) * 4, format);
}

std::optional<Rect> LayeredView::translucentPart(const Rect& view) const {
  Rect mixed;
  if (!intersectRects(mixed, m_compositor.translucentArea(), view) || rectIsEmpty(mixed)) return std::nullopt;
  return mixed;
}

// An opaque pixel reads the same as a premultiplied one, and a premultiplied
// image reaches a premultiplied window by a plain copy; so only the part
// that may hold other pixels goes through the colour conversion, which
// costs more than twice the plain copy.
void LayeredView::copyBufferToWindow(const Rect& area) {
  const std::optional<Rect> shown = shownPart(area);
  if (!shown) return;
  const Rect view = *shown;
  const QImage opaque = bufferImage(QImage::Format_ARGB32_Premultiplied);
  QPainter painter(this);
  // A block copy: the buffer's alpha byte must not blend with the window.
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  auto copy = [&painter](const QImage& image, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    if (l >= r || t >= b) return;
    const QRect part(l, t, r - l, b - t);
    painter.drawImage(part.topLeft(), image, part);
  };
  const std::optional<Rect> mixed = translucentPart(view);
  if (!mixed) {
    copy(opaque, view.left, view.top, view.right, view.bottom);
    return;
  }
  const Rect m = *mixed;
  copy(opaque, view.left, view.top, view.right, m.top);
  copy(opaque, view.left, m.top, m.left, m.bottom);
  copy(bufferImage(QImage::Format_ARGB32), m.left, m.top, m.right, m.bottom);
  copy(opaque, m.right, m.top, view.right, m.bottom);
  copy(opaque, view.left, m.bottom, view.right, view.bottom);
}

// On a high-density screen the buffer is wrapped in an image of the screen's
// ratio, so Qt lays its device pixels one to one on the window's. Only a
// part with no pixel below full alpha may take the plain premultiplied copy.
void LayeredView::copyScaledBufferToWindow(const Rect& area) {
  const std::optional<Rect> shown = shownPart(area);
  if (!shown) return;
  const Rect view = *shown;
  QImage image = bufferImage(translucentPart(view) ? QImage::Format_ARGB32 : QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(m_scale);
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QRectF source(view.left, view.top, view.right - view.left, view.bottom - view.top);
  const QRectF target(source.left() / m_scale, source.top() / m_scale, source.width() / m_scale,
                      source.height() / m_scale);
  painter.drawImage(target, image, source);
}

void LayeredView::paintEmpty(const QRect& area) {
  m_compositor.dropBuffer();
  QPainter painter(this);
  painter.fillRect(area, palette().color(QPalette::Window));
}

void LayeredView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  try {
    sizeBufferToWindow();
  } catch (const std::exception&) {
    // The paint that follows tries again, and shows an empty canvas if it
    // still cannot have the memory.
  }
  m_compositor.invalidateAll();
}

void LayeredView::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  m_compositor.invalidateAll();
}

}  // namespace gradoir
