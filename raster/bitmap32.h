#pragma once
// Bitmap32: the 32-bit ARGB picture on which everything in the exercise
// canvas is drawn, with change notification, anti-aliased points and lines,
// and text through the toolkit. Bitmaps belong to the thread that made them
// (the program draws on the UI thread only), so they carry no locks.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "raster/types.h"

namespace gradoir {

class Bitmap32;

// Event handlers are plain std::function members; an unset one is skipped.
using NotifyEvent = std::function<void(Bitmap32* sender)>;

// F: source colour, B: destination pixel (read and written), M: the source
// bitmap's masterAlpha.
using PixelCombiner = std::function<void(Color32 F, Color32& B, Color32 M)>;

enum class DrawMode : std::uint8_t { Opaque, Blend, Custom };
enum class StretchFilter : std::uint8_t { Nearest, Linear };

// Font of the text operations: a name, a size in points and an opaque colour.
// Sizes are turned into pixels at 96 dots per inch so that text metrics do
// not depend on the screen the program runs on.
class Font {
 public:
  const std::string& name() const { return m_name; }
  int size() const { return m_size; }
  Color32 color() const { return m_color; }
  bool bold() const { return m_bold; }
  void setName(const std::string& name);
  void setSize(int points);
  void setColor(Color32 color);
  void setBold(bool bold);

  std::function<void()> onChange;

 private:
  // Sets `member` and announces it, when `value` differs.
  template <class T>
  void change(T& member, const T& value);
  std::string m_name = "Tahoma";
  int m_size = 8;
  Color32 m_color = 0xFF000000u;  // black
  bool m_bold = false;
};

// The cell a text takes in a font: its advance and the font's line height.
struct TextSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const TextSize&, const TextSize&) = default;
};

class Bitmap32 {
 public:
  Bitmap32();
  Bitmap32(const Bitmap32&) = delete;
  Bitmap32& operator=(const Bitmap32&) = delete;
  ~Bitmap32();

  // --- size -----------------------------------------------------------
  std::int32_t width() const { return m_width; }
  std::int32_t height() const { return m_height; }
  bool isEmpty() const { return m_pixels.empty(); }
  Rect pixelBounds() const;
  // Negative sizes become 0. Returns false (and does nothing) when the size
  // is unchanged; otherwise reallocates (zeroed pixels), notifies the change
  // and then the resize, and returns true. When the memory cannot be had it
  // throws BitmapError and leaves the bitmap empty (0 x 0).
  bool setBitmapSize(std::int32_t newWidth, std::int32_t newHeight);
  // Makes every later allocation of more than maxPixels pixels fail as if
  // the memory were exhausted (0: no limit). For tests of the program's
  // behaviour when memory runs out.
  static void setAllocationLimit(std::size_t maxPixels);

  // --- change notification ---------------------------------------------
  // Fires onChange(this) when no update batch is open; nothing is deferred.
  void notifyChanged();
  void beginUpdate();
  // Throws AssertionFailed("Unpaired Bitmap32::endUpdate") when no batch is
  // open, leaving the count unchanged.
  void endUpdate();
  std::int32_t updateCount() const { return m_updateCount; }

  NotifyEvent onChange;
  NotifyEvent onResize;

  // --- pixel access (no bounds checks except pixelOrOuter, no notification)
  Color32* bits() { return m_pixels.data(); }
  const Color32* bits() const { return m_pixels.data(); }
  Color32* rowStart(std::int32_t y) { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
  const Color32* rowStart(std::int32_t y) const { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
  Color32* pixelAddress(std::int32_t x, std::int32_t y) { return rowStart(y) + x; }
  Color32 pixelAt(std::int32_t x, std::int32_t y) const { return rowStart(y)[x]; }
  void setPixelAt(std::int32_t x, std::int32_t y, Color32 c) { rowStart(y)[x] = c; }
  Color32 pixelOrOuter(std::int32_t x, std::int32_t y) const;

  // --- fills ----------------------------------------------------------
  void fillAll(Color32 color);
  void fillBlock(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Color32 color);
  void fillBlockClipped(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Color32 color);

  // --- points and lines -------------------------------------------------
  void blendPixel(std::int32_t x, std::int32_t y, Color32 color);
  void plotSubpixelFixed(std::int32_t x, std::int32_t y, Color32 color);         // 24.8
  void plotSubpixelFixedClipped(std::int32_t x, std::int32_t y, Color32 color);  // 24.8
  void plotSubpixel(float x, float y, Color32 color);
  void plotSubpixelClipped(float x, float y, Color32 color);
  void smoothLineFixed(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                       Color32 color, bool includeLast);  // 16.16
  void smoothLine(float x1, float y1, float x2, float y2, Color32 color, bool includeLast);

  // --- text -------------------------------------------------------------
  Font& font() { return *m_font; }
  const Font& font() const { return *m_font; }
  // Empty without a Qt GUI application, which alone can measure text.
  TextSize measureText(const std::string& text) const;
  std::int32_t textPixelWidth(const std::string& text) const { return measureText(text).width; }
  std::int32_t textPixelHeight(const std::string& text) const { return measureText(text).height; }
  void printText(std::int32_t x, std::int32_t y, const std::string& text);

  // --- properties ---------------------------------------------------------
  DrawMode drawMode() const { return m_drawMode; }
  void setDrawMode(DrawMode mode);
  std::uint32_t masterAlpha() const { return m_masterAlpha; }
  void setMasterAlpha(std::uint32_t alpha);
  StretchFilter stretchFilter() const { return m_stretchFilter; }
  void setStretchFilter(StretchFilter filter);
  Color32 outerColor = 0;

  PixelCombiner pixelCombiner;

  // --- where the pixels changed ------------------------------------------
  // The bitmap's own drawing operations note the pixels they change; one
  // that notifies without having declared its pixels noted counts as a
  // change of the whole bitmap. The layer showing the bitmap takes the
  // record at each notification, so that only that part of the screen is
  // rebuilt. Raw writes (setPixelAt, Bits) are not recorded.
  enum class ChangeExtent { None, Area, Whole };
  // The change since the last call, and clears the record; area is set for Area.
  ChangeExtent takeChangedArea(Rect& area);
  // Adds pixels (cut to the bitmap) to the record.
  void noteChangedArea(const Rect& area);

 protected:
  // Tells the next notifyChanged that the operation noted all it changed.
  void declareChangeNoted() { m_changeDeclared = true; }

 private:
  std::vector<Color32> m_pixels;
  std::int32_t m_width = 0;
  std::int32_t m_height = 0;
  std::int32_t m_updateCount = 0;
  bool m_changeDeclared = false;
  bool m_changedWhole = false;
  bool m_changedAny = false;
  Rect m_changed{};
  std::unique_ptr<Font> m_font;
  DrawMode m_drawMode = DrawMode::Opaque;
  std::uint32_t m_masterAlpha = 255;
  StretchFilter m_stretchFilter = StretchFilter::Nearest;
};

// Inline clamps rather than the rectangle helpers, and inline itself: every
// sample of every line comes through here.
inline void Bitmap32::noteChangedArea(const Rect& area) {
  const std::int32_t left = std::max(area.left, 0), top = std::max(area.top, 0);
  const std::int32_t right = std::min(area.right, m_width), bottom = std::min(area.bottom, m_height);
  if (left >= right || top >= bottom) return;
  if (!m_changedAny) {
    m_changed = Rect{left, top, right, bottom};
    m_changedAny = true;
    return;
  }
  m_changed.left = std::min(m_changed.left, left);
  m_changed.top = std::min(m_changed.top, top);
  m_changed.right = std::max(m_changed.right, right);
  m_changed.bottom = std::max(m_changed.bottom, bottom);
}

// kGammaTable[i] = Round(255 * (i / 255)^0.7).
extern const std::uint8_t (&kGammaTable)[256];

}  // namespace gradoir
