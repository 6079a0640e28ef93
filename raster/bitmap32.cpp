// TBitmap32: storage, size, fills and properties.
#include "raster/bitmap32.h"

#include <QImage>
#include <QMetaObject>
#include <QWidget>
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
std::vector<TColor32> AllocatePixels(std::int32_t width, std::int32_t height) {
  std::size_t count = 0;
  std::size_t bytes = 0;
  if (__builtin_mul_overflow(static_cast<std::size_t>(width), static_cast<std::size_t>(height), &count) ||
      __builtin_mul_overflow(count, sizeof(TColor32), &bytes) ||
      bytes > static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max())) {
    throw std::length_error("pixel buffer too large");
  }
  return std::vector<TColor32>(count);
}

}  // namespace

TBitmap32::TBitmap32() : font_(std::make_unique<TFont>()) {}

// Tear-down is quiet: nothing fires while the object is going away, since a
// handler reaching back into a half-destroyed bitmap would be a use after free.
TBitmap32::~TBitmap32() {
  StartUpdate();
  EnterLock();
  std::vector<TColor32>().swap(pixels_);
  width_ = 0;
  height_ = 0;
  font_.reset();
  LeaveLock();
}

bool TBitmap32::IsEmpty() const { return pixels_.empty() || width_ == 0 || height_ == 0; }

TRect TBitmap32::PixelBounds() const { return TRect{0, 0, width_, height_}; }

void TBitmap32::ResizeStorage(std::int32_t new_width, std::int32_t new_height) {
  std::vector<TColor32>().swap(pixels_);
  width_ = 0;
  height_ = 0;
  if (new_width > 0 && new_height > 0) {
    try {
      pixels_ = AllocatePixels(new_width, new_height);
    } catch (const std::bad_alloc&) {
      NotifyHandleChanged();
      throw EBitmapError("Can't allocate the DIB handle");
    } catch (const std::length_error&) {
      NotifyHandleChanged();
      throw EBitmapError("Can't allocate the DIB handle");
    }
  }
  width_ = new_width;
  height_ = new_height;
  NotifyHandleChanged();
}

void TBitmap32::NotifyHandleChanged() {
  if (OnHandleChanged) OnHandleChanged(this);
}

bool TBitmap32::AdoptSizeOf(const TCustomMap* source) {
  if (source == nullptr) return SetBitmapSize(0, 0);
  return SetBitmapSize(source->Width(), source->Height());
}

bool TBitmap32::AdoptSizeOf(const QImage& graphic) { return SetBitmapSize(graphic.width(), graphic.height()); }

bool TBitmap32::AdoptSizeOf(const QObject* object) {
  if (object == nullptr) return SetBitmapSize(0, 0);
  if (const auto* widget = qobject_cast<const QWidget*>(object)) {
    return SetBitmapSize(widget->width(), widget->height());
  }
  throw EBitmapError(std::string("Can't set size from '") + object->metaObject()->className() + "'");
}

TColor32 TBitmap32::PixelOrOuter(std::int32_t x, std::int32_t y) const {
  if (x < 0 || x >= width_ || y < 0 || y >= height_) return OuterColor;
  return PixelAt(x, y);
}

// Only the span of each row that differs from the colour is written and
// recorded: redrawing the angle clears a 1920 x 1080 layer that holds a few
// lines, and the screen then has to follow only where they were.
void TBitmap32::FillAll(TColor32 color) {
  if (IsEmpty()) return;
  for (std::int32_t y = 0; y < height_; ++y) {
    std::int32_t first = 0, last = 0;
    if (FillChangedSpan(RowStart(y), width_, color, first, last)) NoteChangedArea(TRect{first, y, last + 1, y + 1});
  }
  DeclareChangeNoted();
  NotifyChanged();
}

// Inline clamps rather than the rectangle helpers: every plot of a line
// comes through here.
void TBitmap32::NoteChangedArea(const TRect& area) {
  const std::int32_t left = std::max(area.Left, 0), top = std::max(area.Top, 0);
  const std::int32_t right = std::min(area.Right, width_), bottom = std::min(area.Bottom, height_);
  if (left >= right || top >= bottom) return;
  if (!changed_any_) {
    changed_ = TRect{left, top, right, bottom};
    changed_any_ = true;
    return;
  }
  changed_.Left = std::min(changed_.Left, left);
  changed_.Top = std::min(changed_.Top, top);
  changed_.Right = std::max(changed_.Right, right);
  changed_.Bottom = std::max(changed_.Bottom, bottom);
}

TBitmap32::TChange TBitmap32::TakeChangedArea(TRect& area) {
  const TChange change = changed_whole_ ? TChange::kWhole : changed_any_ ? TChange::kArea : TChange::kNone;
  if (change == TChange::kArea) area = changed_;
  changed_whole_ = false;
  changed_any_ = false;
  changed_ = TRect{};
  return change;
}

void TBitmap32::NotifyChanged() {
  if (!change_declared_) changed_whole_ = true;
  change_declared_ = false;
  TCustomMap::NotifyChanged();
}

// Kept inside the bitmap even though callers are meant to do so: a block
// that strays out is cut rather than written past the pixels.
void TBitmap32::FillBlock(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, TColor32 color) {
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, width_);
  y2 = std::min(y2, height_);
  if (!pixels_.empty()) {
    for (std::int32_t y = y1; y < y2 && x1 < x2; ++y) FillPixels(RowStart(y) + x1, static_cast<std::size_t>(x2 - x1), color);
  }
  NoteChangedArea(TRect{x1, y1, x2, y2});
  DeclareChangeNoted();
  NotifyChanged();
}

void TBitmap32::FillBlockClipped(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                                 TColor32 color) {
  if (x1 >= x2 || y1 >= y2 || x1 >= width_ || y1 >= height_ || x2 <= 0 || y2 <= 0) return;
  FillBlock(std::max(x1, 0), std::max(y1, 0), std::min(x2, width_), std::min(y2, height_), color);
}

void TBitmap32::SetDrawMode(TDrawMode mode) {
  if (mode == draw_mode_) return;
  draw_mode_ = mode;
  NotifyChanged();
}

void TBitmap32::SetMasterAlpha(std::uint32_t alpha) {
  if (alpha == master_alpha_) return;
  master_alpha_ = alpha;
  NotifyChanged();
}

void TBitmap32::SetStretchFilter(TStretchFilter filter) {
  if (filter == stretch_filter_) return;
  stretch_filter_ = filter;
  NotifyChanged();
}

}  // namespace gradoir
