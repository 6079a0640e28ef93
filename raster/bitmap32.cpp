// Bitmap32: storage, size, fills and properties.
#include "raster/bitmap32.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>

#include "raster/errors.h"
#include "raster/geometry.h"
#include "raster/pixel_rows.h"

namespace gradoir {
namespace {

// A zeroed pixel buffer of width x height. The byte count is checked first so
// that an absurd size fails cleanly instead of wrapping to a small buffer.
std::size_t allocationLimit = 0;

std::vector<Color32> allocatePixels(std::int32_t width, std::int32_t height) {
  std::size_t count = 0;
  std::size_t bytes = 0;
  if (__builtin_mul_overflow(static_cast<std::size_t>(width), static_cast<std::size_t>(height), &count) ||
      __builtin_mul_overflow(count, sizeof(Color32), &bytes) ||
      bytes > static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max())) {
    throw std::length_error("pixel buffer too large");
  }
  if (allocationLimit != 0 && count > allocationLimit) throw std::bad_alloc();
  return std::vector<Color32>(count);
}

std::string noMemoryMessage(std::int32_t width, std::int32_t height) {
  return "Not enough memory for a " + std::to_string(width) + " x " + std::to_string(height) + " bitmap";
}

}  // namespace

Bitmap32::Bitmap32() : m_font(std::make_unique<Font>()) {}

Bitmap32::~Bitmap32() = default;

void Bitmap32::setAllocationLimit(std::size_t maxPixels) { allocationLimit = maxPixels; }

Rect Bitmap32::pixelBounds() const { return Rect{0, 0, m_width, m_height}; }

bool Bitmap32::setBitmapSize(std::int32_t newWidth, std::int32_t newHeight) {
  newWidth = std::max(newWidth, 0);
  newHeight = std::max(newHeight, 0);
  if (newWidth == m_width && newHeight == m_height) return false;
  std::vector<Color32>().swap(m_pixels);
  m_width = 0;
  m_height = 0;
  if (newWidth > 0 && newHeight > 0) {
    try {
      m_pixels = allocatePixels(newWidth, newHeight);
    } catch (const std::bad_alloc&) {
      throw BitmapError(noMemoryMessage(newWidth, newHeight));
    } catch (const std::length_error&) {
      throw BitmapError(noMemoryMessage(newWidth, newHeight));
    }
  }
  m_width = newWidth;
  m_height = newHeight;
  notifyChanged();
  if (onResize) onResize(this);
  return true;
}

void Bitmap32::beginUpdate() { ++m_updateCount; }

void Bitmap32::endUpdate() {
  if (m_updateCount <= 0) throw AssertionFailed("Unpaired Bitmap32::endUpdate");
  --m_updateCount;
}

Color32 Bitmap32::pixelOrOuter(std::int32_t x, std::int32_t y) const {
  if (x < 0 || x >= m_width || y < 0 || y >= m_height) return outerColor;
  return pixelAt(x, y);
}

// Only the span of each row that differs from the colour is written and
// recorded: redrawing the angle clears a 1920 x 1080 layer that holds a few
// lines, and the screen then has to follow only where they were.
void Bitmap32::fillAll(Color32 color) {
  if (isEmpty()) return;
  for (std::int32_t y = 0; y < m_height; ++y) {
    std::int32_t first = 0, last = 0;
    if (fillChangedSpan(rowStart(y), m_width, color, first, last)) noteChangedArea(Rect{first, y, last + 1, y + 1});
  }
  declareChangeNoted();
  notifyChanged();
}

Bitmap32::ChangeExtent Bitmap32::takeChangedArea(Rect& area) {
  const ChangeExtent change = m_changedWhole ? ChangeExtent::Whole : m_changedAny ? ChangeExtent::Area : ChangeExtent::None;
  if (change == ChangeExtent::Area) area = m_changed;
  m_changedWhole = false;
  m_changedAny = false;
  m_changed = Rect{};
  return change;
}

void Bitmap32::notifyChanged() {
  if (!m_changeDeclared) m_changedWhole = true;
  m_changeDeclared = false;
  if (m_updateCount == 0 && onChange) onChange(this);
}

// Kept inside the bitmap even though callers are meant to do so: a block
// that strays out is cut rather than written past the pixels.
void Bitmap32::fillBlock(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Color32 color) {
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, m_width);
  y2 = std::min(y2, m_height);
  if (!m_pixels.empty()) {
    for (std::int32_t y = y1; y < y2 && x1 < x2; ++y) fillPixels(rowStart(y) + x1, static_cast<std::size_t>(x2 - x1), color);
  }
  noteChangedArea(Rect{x1, y1, x2, y2});
  declareChangeNoted();
  notifyChanged();
}

void Bitmap32::fillBlockClipped(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                                 Color32 color) {
  if (x1 >= x2 || y1 >= y2 || x1 >= m_width || y1 >= m_height || x2 <= 0 || y2 <= 0) return;
  fillBlock(std::max(x1, 0), std::max(y1, 0), std::min(x2, m_width), std::min(y2, m_height), color);
}

void Bitmap32::setDrawMode(DrawMode mode) {
  if (mode == m_drawMode) return;
  m_drawMode = mode;
  notifyChanged();
}

void Bitmap32::setMasterAlpha(std::uint32_t alpha) {
  if (alpha == m_masterAlpha) return;
  m_masterAlpha = alpha;
  notifyChanged();
}

void Bitmap32::setStretchFilter(StretchFilter filter) {
  if (filter == m_stretchFilter) return;
  m_stretchFilter = filter;
  notifyChanged();
}

}  // namespace gradoir
