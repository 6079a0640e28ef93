#include "raster/layers.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "raster/errors.h"
#include "raster/geometry.h"
#include "raster/image32.h"
#include "raster/transfer.h"

namespace gradoir {

// --- TLayerCollection -------------------------------------------------------

TLayerCollection::TLayerCollection(TCustomImage32* owner) : owner_(owner) {}

TLayerCollection::~TLayerCollection() {
  // The batch is never closed: nothing may reach the dying owner from here.
  BeginUpdate();
  // Layers are owned by whoever created them. Detaching the ones still here
  // keeps a layer that outlives its collection from reaching freed memory.
  for (TCustomLayer* layer : items_) layer->collection_ = nullptr;
  items_.clear();
}

void TLayerCollection::BeginUpdate() { ++update_count_; }

void TLayerCollection::EndUpdate() {
  if (update_count_ <= 0) throw EAssertionFailed("Unpaired EndUpdate");
  if (--update_count_ == 0 && OnChange) OnChange();
}

void TLayerCollection::Changed() {
  if (update_count_ == 0 && OnChange) OnChange();
}

void TLayerCollection::Changing() {
  if (OnChanging) OnChanging();
}

void TLayerCollection::InsertItem(TCustomLayer* layer) {
  // A change of the stack may change any pixel.
  if (owner_ != nullptr) owner_->AddStaleArea(kWholeControl);
  BeginUpdate();
  items_.push_back(layer);
  layer->collection_ = this;
  EndUpdate();
}

void TLayerCollection::RemoveItem(TCustomLayer* layer) {
  if (owner_ != nullptr) owner_->AddStaleArea(kWholeControl);
  BeginUpdate();
  items_.erase(std::remove(items_.begin(), items_.end(), layer), items_.end());
  layer->collection_ = nullptr;
  EndUpdate();
}

void TLayerCollection::RepaintOverlay() {
  // Layers that paint on the window after the copy need the window redrawn,
  // not the buffer rebuilt.
  if (owner_ != nullptr) owner_->update();
}

// --- TCustomLayer -------------------------------------------------------------

TCustomLayer::TCustomLayer(TLayerCollection* collection) {
  if (collection != nullptr) collection->InsertItem(this);
}

TCustomLayer::~TCustomLayer() {
  if (collection_ != nullptr) collection_->RemoveItem(this);
}

int TCustomLayer::Index() const {
  if (collection_ == nullptr) return -1;
  const auto& items = collection_->items_;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCustomLayer::SetLayerOptions(std::uint32_t options) {
  RecordStaleExtent();
  NotifyLayerChanging();
  options_ = options;
  RecordStaleExtent();
  NotifyLayerChanged();
}

void TCustomLayer::SetVisible(bool visible) {
  // No test for an unchanged value: SetVisible(true) is how a figure that has
  // just drawn itself asks for a repaint. Where the picture changes: the
  // layer's place when it appears or goes, else what it drew unannounced.
  const bool change = visible != Visible();
  if (change) RecordStaleExtent(); else RecordPendingChange();
  NotifyLayerChanging();
  if (visible)
    options_ |= LOB_VISIBLE;
  else
    options_ &= ~LOB_VISIBLE;
  if (change) RecordStaleExtent();
  NotifyLayerChanged();
}

void TCustomLayer::PaintLayer(TBitmap32& buffer) { PaintLayer(buffer, buffer.PixelBounds()); }

void TCustomLayer::PaintLayer(TBitmap32& /*buffer*/, const TRect& /*area*/) {}

bool TCustomLayer::Extent(TRect& /*extent*/) const { return false; }

void TCustomLayer::RecordPendingChange() { RecordStaleExtent(); }

void TCustomLayer::RecordStaleArea(const TRect& area) const {
  if (collection_ != nullptr && collection_->Owner() != nullptr) collection_->Owner()->AddStaleArea(area);
}

void TCustomLayer::RecordStaleExtent() const {
  if (!Visible() || collection_ == nullptr || collection_->Owner() == nullptr) return;
  TRect extent;
  collection_->Owner()->AddStaleArea(Extent(extent) ? extent : kWholeControl);
}

bool TCustomLayer::SendsNotifications() const {
  return collection_ != nullptr && (options_ & LOB_NO_UPDATE) == 0;
}

bool TCustomLayer::OpaqueCover(const TBitmap32& /*buffer*/, TRect& /*covered*/) const { return false; }

void TCustomLayer::NotifyLayerChanging() {
  if (Visible() && SendsNotifications()) collection_->Changing();
}

void TCustomLayer::NotifyLayerChanged() {
  if (!SendsNotifications()) return;
  if (Visible())
    collection_->Changed();
  else if ((options_ & LOB_GDI_OVERLAY) != 0)
    collection_->RepaintOverlay();
}

// --- TPositionedLayer -----------------------------------------------------------

TPositionedLayer::TPositionedLayer(TLayerCollection* collection) : TCustomLayer(collection) {
  options_ = LOB_VISIBLE | LOB_MOUSE_EVENTS;
}

bool TPositionedLayer::Extent(TRect& extent) const {
  extent = RoundRealRect(Location());
  return true;
}

void TPositionedLayer::SetLocation(const TRealRect& r) {
  RecordStaleExtent();
  NotifyLayerChanging();
  DoSetLocation(r);
  RecordStaleExtent();
  NotifyLayerChanged();
}

// --- TBitmapLayer -----------------------------------------------------------------

TBitmapLayer::TBitmapLayer(TLayerCollection* collection)
    : TPositionedLayer(collection), bitmap_(std::make_unique<TBitmap32>()) {
  bitmap_->OnChange = [this](TThreadPersistent*) {
    RecordPendingChange();
    NotifyLayerChanged();
  };
}

TBitmapLayer::~TBitmapLayer() {
  // The bitmap goes first, silently; the base then leaves the collection.
  bitmap_->OnChange = nullptr;
  bitmap_.reset();
}

namespace {

// The transfer subtracts edges in 32 bits; a rectangle whose sides do not
// fit cannot be a real layer (rounding saturated an absurd location).
bool SidesFitInt32(const TRect& r) {
  constexpr std::int64_t limit = INT32_MAX;
  return std::int64_t{r.Right} - r.Left <= limit && std::int64_t{r.Bottom} - r.Top <= limit;
}

}  // namespace

void TBitmapLayer::PaintLayer(TBitmap32& buffer, const TRect& area) {
  if (bitmap_->IsEmpty() || buffer.IsEmpty()) return;
  const TRect dst_rect = RoundRealRect(Location());
  // A layer wholly outside the buffer paints nothing; skipping it here also
  // keeps absurd locations (a protractor dragged far away) out of the
  // transfer's rectangle arithmetic.
  TRect visible;
  if (!IntersectRects(visible, dst_rect, buffer.PixelBounds()) || RectIsEmpty(visible)) return;
  if (!SidesFitInt32(dst_rect)) return;
  // Every transfer computes each pixel from its own position alone, so a
  // clip to the area gives the same pixels there as the whole-buffer paint.
  TRect clip;
  if (!IntersectRects(clip, area, buffer.PixelBounds()) || RectIsEmpty(clip)) return;
  TransferRect(&buffer, dst_rect, clip, bitmap_.get(), bitmap_->PixelBounds(), bitmap_->StretchFilter(),
               bitmap_->DrawMode(), bitmap_->OnPixelCombine);
}

// The bitmap's own record of the pixels it changed, placed on the control
// when the bitmap is shown unscaled; anything else counts as the whole layer.
void TBitmapLayer::RecordPendingChange() {
  TRect changed;
  const TBitmap32::TChange change = bitmap_->TakeChangedArea(changed);
  if (!Visible() || change == TBitmap32::TChange::kNone) return;
  const TRect at = RoundRealRect(Location());
  const bool unscaled = SidesFitInt32(at) && std::int64_t{at.Right} - at.Left == bitmap_->Width() &&
                        std::int64_t{at.Bottom} - at.Top == bitmap_->Height();
  if (change == TBitmap32::TChange::kWhole || !unscaled) {
    RecordStaleExtent();
    return;
  }
  const std::int64_t left = std::int64_t{at.Left} + changed.Left, top = std::int64_t{at.Top} + changed.Top;
  const std::int64_t right = std::int64_t{at.Left} + changed.Right, bottom = std::int64_t{at.Top} + changed.Bottom;
  if (left < INT32_MIN || top < INT32_MIN || right > INT32_MAX || bottom > INT32_MAX) {
    RecordStaleExtent();
    return;
  }
  RecordStaleArea(TRect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                        static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom)});
}

bool TBitmapLayer::OpaqueCover(const TBitmap32& buffer, TRect& covered) const {
  const TBitmap32& bitmap = *bitmap_;
  if (bitmap.IsEmpty() || buffer.IsEmpty()) return false;
  const bool copies = bitmap.DrawMode() == dmOpaque || (bitmap.DrawMode() == dmCustom && !bitmap.OnPixelCombine);
  if (!copies) return false;
  // The same rectangle PaintLayer hands to the transfer; an unscaled one
  // copies every pixel of its part inside the buffer.
  const TRect dst_rect = RoundRealRect(Location());
  if (!SidesFitInt32(dst_rect)) return false;
  if (dst_rect.Right - dst_rect.Left != bitmap.Width() || dst_rect.Bottom - dst_rect.Top != bitmap.Height()) return false;
  return IntersectRects(covered, dst_rect, buffer.PixelBounds()) && !RectIsEmpty(covered);
}

}  // namespace gradoir
