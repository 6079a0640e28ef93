#pragma once
// The layered image widget: BufferedView keeps a back buffer and copies
// it to the window; LayeredView rebuilds that buffer (background colour,
// then the visible layers from index 0 up) whenever it has been invalidated. A repaint rebuilds and copies the part that changes
// record as stale (a moved layer's old and new place, the pixels a layer's
// bitmap drew), and every pixel of that part exactly as a whole rebuild
// would; invalidateImage makes all of it stale.
#include <QWidget>
#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "raster/bitmap32.h"
#include "view/layers.h"

namespace gradoir {

// A stale area that reaches every pixel, whatever the buffer's size.
constexpr Rect kWholeControl{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};

class BufferedView : public QWidget {
  Q_OBJECT

 public:
  explicit BufferedView(QWidget* parent = nullptr);
  ~BufferedView() override;

  Bitmap32& buffer() { return *m_buffer; }
  const Bitmap32& buffer() const { return *m_buffer; }
  bool bufferValid() const { return m_bufferValid; }
  // How much larger than the client area the buffer may stay before it is
  // reallocated, so that small shrinks of the window cost no allocation.
  static constexpr std::int32_t kBufferSlack = 40;

  // Rebuilds the buffer; at this level it only marks it valid.
  virtual void paintBuffer();
  // Part of the buffer that is shown: (0, 0, width, height) in device pixels.
  virtual Rect viewportRect() const;

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
  // Takes up the screen's current ratio: when it changed, the whole buffer
  // becomes stale and deviceScaleChanged runs. The view does it itself when
  // the window changes screen and before each repaint.
  void followDeviceScale();

  // Marks the whole buffer stale and asks the window system for a repaint
  // later; requests merge, so many invalidations cost one repaint.
  virtual void invalidateImage();
  // Marks an area of the buffer as no longer showing the current picture,
  // without asking for a repaint. The next rebuild redraws the stale areas
  // (their bounding rectangle) rather than the whole buffer: a moved or
  // turned protractor costs two or one 482 x 482 squares, not a full frame.
  void addStaleArea(const Rect& area);
  // The part of the window that the repaints asked for since the last paint
  // still have to copy (false: none). What the window system will hand to
  // the next paint event; benches and tests that stand in for the window
  // render this part.
  bool pendingWindowArea(Rect& area) const;
  // invalidateImage, then paints before returning.
  void repaintNow();

  // Reallocates the buffer to the client size when it is too small or more
  // than kBufferSlack too large (negative sizes count as 0).
  void resizeBuffer();
  // resizeBuffer, then paintBuffer when the buffer is stale: the picture the
  // next copy to the window shows. Also usable without a window.
  void validateBuffer();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool event(QEvent* event) override;
  // Called after each copy of the buffer to the window.
  virtual void doBufferCopied() {}
  // The ratio went from previous to deviceScale(); what is drawn in device
  // pixels must follow. May run during a paint: no immediate repaint here.
  virtual void deviceScaleChanged(double previous) { (void)previous; }
  void setBufferValid(bool valid) { m_bufferValid = valid; }
  // Asks for a repaint that rebuilds the stale areas (every change records
  // its area before it asks); with none recorded, everything.
  void requestRepaint();
  // The stale part of the buffer, which the rebuild about to run redraws;
  // the record is cleared. False: nothing within the buffer is stale.
  bool takeStaleArea(Rect& area);
  // After a rebuild of area: keeps track of where pixels that are not
  // opaque may lie, so that the window copy converts only there.
  void noteRebuilt(const Rect& area);

 private:
  // The part of area that the buffer holds and the window shows.
  std::optional<Rect> shownPart(const Rect& area) const;
  void copyBufferToWindow(const Rect& area);
  void copyScaledBufferToWindow(const Rect& area);
  // Buffer rectangle (device pixels) to the window rectangle that holds it,
  // and the other way round; both exact at ratio 1.
  QRect windowRectOf(const Rect& device) const;
  Rect deviceRectOf(const QRect& window) const;
  // What a paint shows when the buffer cannot be had: the window colour.
  void paintEmpty(const QRect& area);
  void markAllStale() { addStaleArea(kWholeControl); }

  std::unique_ptr<Bitmap32> m_buffer;
  bool m_bufferValid = false;
  double m_scale = 1.0;
  double m_scaleOverride = 0;
  // Client size the buffer was last checked against.
  std::int32_t m_paintedWidth = -1;
  std::int32_t m_paintedHeight = -1;
  // Bounding rectangle of the stale areas, when m_hasStale.
  bool m_hasStale = true;
  Rect m_stale = kWholeControl;
  bool m_hasWindowStale = false;
  Rect m_windowStale{};
  // Bounding rectangle of the buffer pixels whose alpha may be below 255.
  Rect m_translucent = kWholeControl;
};

class LayeredView : public BufferedView {
  Q_OBJECT

 public:
  explicit LayeredView(QWidget* parent = nullptr);
  ~LayeredView() override;

  LayerStack& layers() { return *m_layers; }
  const LayerStack& layers() const { return *m_layers; }

  // The control's colour (toolkit colour), which the background is filled
  // with. It is the parent's colour: the main window is white.
  ToolkitColor color() const { return m_color; }
  void setColor(ToolkitColor color);

  void beginUpdate();
  // Throws AssertionFailed("Unpaired endUpdate call") when no batch is open.
  void endUpdate();
  std::int32_t updateCount() const { return m_updateCount; }

  // Invalidates the image and emits pictureChanged, unless a batch is open.
  virtual void imageChanged();
  void paintBuffer() override;

 signals:
  // The layers changed the picture (a layer moved, a bitmap was drawn on).
  void pictureChanged();

 private:
  void rebuildArea(const Rect& area);
  void clearBackground(Bitmap32& dest, const Rect& area);
  void drawLayers(Bitmap32& dest, const Rect& area);
  // The part of dest that a visible layer overwrites whole, whatever lay
  // there: the background need not be filled under it.
  std::optional<Rect> visibleOpaqueCover(const Bitmap32& dest) const;

  std::unique_ptr<LayerStack> m_layers;
  std::int32_t m_updateCount = 0;
  ToolkitColor m_color = 0x00FFFFFF;  // white
};

}  // namespace gradoir
