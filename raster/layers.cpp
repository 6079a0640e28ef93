#include "raster/layers.h"

#include <algorithm>
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
  BeginUpdate();
  items_.push_back(layer);
  layer->collection_ = this;
  EndUpdate();
}

void TLayerCollection::RemoveItem(TCustomLayer* layer) {
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
  NotifyLayerChanging();
  options_ = options;
  NotifyLayerChanged();
}

void TCustomLayer::SetVisible(bool visible) {
  // No test for an unchanged value: SetVisible(true) is how a figure that has
  // just drawn itself asks for a repaint.
  NotifyLayerChanging();
  if (visible)
    options_ |= LOB_VISIBLE;
  else
    options_ &= ~LOB_VISIBLE;
  NotifyLayerChanged();
}

void TCustomLayer::PaintLayer(TBitmap32& /*buffer*/) {}

bool TCustomLayer::SendsNotifications() const {
  return collection_ != nullptr && (options_ & LOB_NO_UPDATE) == 0;
}

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

void TPositionedLayer::SetLocation(const TRealRect& r) {
  NotifyLayerChanging();
  DoSetLocation(r);
  NotifyLayerChanged();
}

// --- TBitmapLayer -----------------------------------------------------------------

TBitmapLayer::TBitmapLayer(TLayerCollection* collection)
    : TPositionedLayer(collection), bitmap_(std::make_unique<TBitmap32>()) {
  bitmap_->OnChange = [this](TThreadPersistent*) { NotifyLayerChanged(); };
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

void TBitmapLayer::PaintLayer(TBitmap32& buffer) {
  if (bitmap_->IsEmpty() || buffer.IsEmpty()) return;
  const TRect dst_rect = RoundRealRect(Location());
  // A layer wholly outside the buffer paints nothing; skipping it here also
  // keeps absurd locations (a protractor dragged far away) out of the
  // transfer's rectangle arithmetic.
  TRect visible;
  if (!IntersectRects(visible, dst_rect, buffer.PixelBounds()) || RectIsEmpty(visible)) return;
  if (!SidesFitInt32(dst_rect)) return;
  TransferRect(&buffer, dst_rect, buffer.PixelBounds(), bitmap_.get(), bitmap_->PixelBounds(),
               bitmap_->StretchFilter(), bitmap_->DrawMode(), bitmap_->OnPixelCombine);
}

}  // namespace gradoir
