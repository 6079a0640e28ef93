#pragma once
// The layered image widget: shows a Compositor's picture (compositor.h) in
// its window. It sizes the picture to the window's device pixels, asks the
// window system to repaint the part the layers said changed, and on a paint
// rebuilds the stale part and copies it to the window (wrapping the buffer's
// memory in a QImage, no copy of the pixels).
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "view/compositor.h"

namespace gradoir {

class LayeredView : public QWidget {
  Q_OBJECT

 public:
  explicit LayeredView(QWidget* parent = nullptr);
  ~LayeredView() override;

  Compositor& compositor() { return m_compositor; }
  const Compositor& compositor() const { return m_compositor; }
  LayerStack& layers() { return m_compositor.layers(); }
  const LayerStack& layers() const { return m_compositor.layers(); }
  const Bitmap32& buffer() const { return m_compositor.buffer(); }
  bool bufferValid() const { return m_compositor.valid(); }

  // Device pixels per logical pixel: the screen's ratio (1 on an ordinary
  // screen), or the one set by setDeviceScaleOverride. The buffer has the
  // window's device pixels, so the picture is drawn at device resolution
  // and shown without being enlarged.
  double deviceScale() const { return m_scale; }
  // Client width and height in device pixels (rounded up).
  std::int32_t deviceWidth() const;
  std::int32_t deviceHeight() const;
  // A fixed ratio whatever the screen (tools and benchmarks that render
  // without a window); 0 follows the screen again.
  void setDeviceScaleOverride(double scale);
  // Takes up the screen's current ratio: when it changed, the whole picture
  // becomes stale and deviceScaleChanged runs. The view does it itself when
  // the window changes screen and before each repaint.
  void followDeviceScale();

  // Marks the whole picture stale and asks the window system for a repaint
  // later; requests merge, so many invalidations cost one repaint.
  void invalidateImage();
  // invalidateImage, then paints before returning.
  void repaintNow();
  // The part of the window that the repaints asked for since the last paint
  // still have to copy (false: none). What the window system will hand to
  // the next paint event; benches and tests that stand in for the window
  // render this part.
  bool pendingWindowArea(Rect& area) const;
  // The picture the next copy to the window shows: the buffer sized to the
  // window and rebuilt where stale. Also usable without a window.
  void validateBuffer();

 signals:
  // The layers changed the picture (a layer moved, a bitmap was drawn on).
  void pictureChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool event(QEvent* event) override;
  // The ratio went from previous to deviceScale(); what is drawn in device
  // pixels must follow. May run during a paint: no immediate repaint here.
  virtual void deviceScaleChanged(double previous) { (void)previous; }

 private:
  void layersChanged();
  // Asks for a repaint of the stale part of the window (every change
  // records its area before it asks); with none recorded, of everything.
  void requestRepaint();
  void sizeBufferToWindow();
  // The part of area (device pixels) that the buffer holds and the window shows.
  std::optional<Rect> shownPart(const Rect& area) const;
  void copyBufferToWindow(const Rect& area);
  void copyScaledBufferToWindow(const Rect& area);
  QImage bufferImage(QImage::Format format) const;
  // The part of view (device pixels) whose pixels may be below full alpha.
  std::optional<Rect> translucentPart(const Rect& view) const;
  // Buffer rectangle (device pixels) to the window rectangle that holds it,
  // and the other way round; both exact at ratio 1.
  QRect windowRectOf(const Rect& device) const;
  Rect deviceRectOf(const QRect& window) const;
  // What a paint shows when the buffer cannot be had: the window colour.
  void paintEmpty(const QRect& area);

  Compositor m_compositor;
  double m_scale = 1.0;
  double m_scaleOverride = 0;
  bool m_hasWindowStale = false;
  Rect m_windowStale{};
};

}  // namespace gradoir
