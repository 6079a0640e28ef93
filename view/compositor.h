#pragma once
// The picture of a layered view, without any window: a back buffer rebuilt
// from a stack of layers. The paint order, said once: the background colour,
// then the visible layers from index 0 up, so later layers lie on top.
//
// Rebuilds are partial: layers record, without notifying, where the picture
// changed (a moved layer's old and new place, the pixels a bitmap drew), and
// a rebuild redraws only the bounding rectangle of that, every pixel of it
// exactly as a whole rebuild would. The view that shows the picture
// (layered_view.h) sizes it, asks for the rebuild and copies the buffer to
// its window; tools and tests compose without one.
#include <climits>
#include <cstdint>

#include "raster/bitmap32.h"
#include "view/layers.h"

namespace gradoir {

// A stale area that reaches every pixel, whatever the buffer's size.
constexpr Rect kWholeControl{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};

class Compositor {
 public:
  Compositor();
  ~Compositor();
  Compositor(const Compositor&) = delete;
  Compositor& operator=(const Compositor&) = delete;

  LayerStack& layers() { return m_layers; }
  const LayerStack& layers() const { return m_layers; }
  const Bitmap32& buffer() const { return m_buffer; }
  // White: the main window's colour, which the canvas stands on.
  static constexpr Color32 kBackground = 0xFFFFFFFFu;

  // How much larger than the picture the buffer may stay before it is
  // reallocated, so that small shrinks of the window cost no allocation.
  static constexpr std::int32_t kBufferSlack = 40;
  // The picture's size in device pixels (negative sizes count as 0). A new
  // size makes everything stale; the buffer is reallocated when it is too
  // small or more than kBufferSlack too large. Throws BitmapError when the
  // memory cannot be had.
  void setSize(std::int32_t width, std::int32_t height);
  // Gives the buffer's memory back after a failed allocation; the next
  // setSize allocates again.
  void dropBuffer();

  // False while the buffer does not show the current picture.
  bool valid() const { return m_valid; }
  // Marks an area of the buffer as no longer showing the picture, without
  // invalidating it: the layers record so whenever they change. The next
  // rebuild redraws the stale areas (their bounding rectangle) rather than
  // the whole buffer: a moved or turned protractor costs two or one
  // 482 x 482 squares, not a full frame.
  void addStaleArea(const Rect& area);
  // The buffer no longer shows the picture: the next rebuild redraws the
  // stale areas, or everything when none was recorded (a figure re-showing a
  // layer it did not change repaints everything, as every repaint once did).
  void invalidate();
  // Everything is stale and the buffer invalid.
  void invalidateAll();
  // The bounding rectangle of the stale areas (false: none recorded).
  bool staleArea(Rect& area) const;
  // Redraws the stale part, after which the buffer is valid.
  void rebuild();

  // Bounding rectangle of the buffer pixels whose alpha may be below 255:
  // the window copy converts only there.
  const Rect& translucentArea() const { return m_translucent; }

 private:
  void rebuildArea(const Rect& area);
  void clearBackground(const Rect& area);
  void drawLayers(const Rect& area);
  // The part of the buffer that a visible layer overwrites whole, whatever
  // lay there: the background need not be filled under it.
  std::optional<Rect> visibleOpaqueCover() const;
  void noteRebuilt(const Rect& area);

  Bitmap32 m_buffer;
  // Declared after the buffer: layers leaving the dying stack may still
  // record stale areas here.
  LayerStack m_layers{this};
  bool m_valid = false;
  // The size the buffer was last set to.
  std::int32_t m_width = -1;
  std::int32_t m_height = -1;
  bool m_hasStale = true;
  Rect m_stale = kWholeControl;
  Rect m_translucent = kWholeControl;
};

}  // namespace gradoir
