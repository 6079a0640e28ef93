#include "view/layers.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "raster/errors.h"
#include "raster/geometry.h"
#include "raster/transfer.h"
#include "view/compositor.h"

namespace gradoir {

// --- LayerStack -------------------------------------------------------

LayerStack::LayerStack(Compositor* owner) : m_owner(owner) {}

LayerStack::~LayerStack() {
  // The batch is never closed: nothing may reach the dying owner from here.
  beginUpdate();
  // Layers are owned by whoever created them. Detaching the ones still here
  // keeps a layer that outlives its collection from reaching freed memory.
  for (Layer* layer : m_items) layer->m_collection = nullptr;
  m_items.clear();
}

void LayerStack::beginUpdate() { ++m_updateCount; }

void LayerStack::endUpdate() {
  if (m_updateCount <= 0) throw AssertionFailed("Unpaired EndUpdate");
  if (--m_updateCount == 0 && onChange) onChange();
}

void LayerStack::changed() {
  if (m_updateCount == 0 && onChange) onChange();
}

void LayerStack::insertItem(Layer* layer) {
  // A change of the stack may change any pixel.
  if (m_owner != nullptr) m_owner->addStaleArea(kWholeControl);
  beginUpdate();
  m_items.push_back(layer);
  layer->m_collection = this;
  endUpdate();
}

void LayerStack::removeItem(Layer* layer) {
  if (m_owner != nullptr) m_owner->addStaleArea(kWholeControl);
  beginUpdate();
  m_items.erase(std::remove(m_items.begin(), m_items.end(), layer), m_items.end());
  layer->m_collection = nullptr;
  endUpdate();
}

// --- Layer -------------------------------------------------------------

Layer::Layer(LayerStack* collection) {
  if (collection != nullptr) collection->insertItem(this);
}

Layer::~Layer() {
  if (m_collection != nullptr) m_collection->removeItem(this);
}

int Layer::index() const {
  if (m_collection == nullptr) return -1;
  const auto& items = m_collection->m_items;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void Layer::setLayerOptions(std::uint32_t options) {
  recordStaleExtent();
  m_options = options;
  recordStaleExtent();
  notifyLayerChanged();
}

void Layer::setVisible(bool shown) {
  // No test for an unchanged value: setVisible(true) is how a figure that has
  // just drawn itself asks for a repaint. Where the picture changes: the
  // layer's place when it appears or goes, else what it drew unannounced.
  const bool change = shown != visible();
  if (change) recordStaleExtent(); else recordPendingChange();
  if (shown)
    m_options |= kLayerVisible;
  else
    m_options &= ~kLayerVisible;
  if (change) recordStaleExtent();
  notifyLayerChanged();
}

void Layer::paintLayer(Bitmap32& buffer) { paintLayer(buffer, buffer.pixelBounds()); }

void Layer::paintLayer(Bitmap32& /*buffer*/, const Rect& /*area*/) {}

std::optional<Rect> Layer::extent() const { return std::nullopt; }

void Layer::recordPendingChange() { recordStaleExtent(); }

void Layer::recordStaleArea(const Rect& area) const {
  if (m_collection != nullptr && m_collection->owner() != nullptr) m_collection->owner()->addStaleArea(area);
}

void Layer::recordStaleExtent() const {
  if (!visible() || m_collection == nullptr || m_collection->owner() == nullptr) return;
  m_collection->owner()->addStaleArea(extent().value_or(kWholeControl));
}

bool Layer::sendsNotifications() const {
  return m_collection != nullptr && (m_options & kLayerSilent) == 0;
}

std::optional<Rect> Layer::opaqueCover(const Bitmap32& /*buffer*/) const { return std::nullopt; }

void Layer::notifyLayerChanged() {
  if (sendsNotifications() && visible()) m_collection->changed();
}

// --- PositionedLayer -----------------------------------------------------------

PositionedLayer::PositionedLayer(LayerStack* collection) : Layer(collection) {
  m_options = kLayerVisible;
}

std::optional<Rect> PositionedLayer::extent() const { return roundRealRect(location()); }

void PositionedLayer::setLocation(const RectF& r) {
  recordStaleExtent();
  m_location = r;
  recordStaleExtent();
  notifyLayerChanged();
}

// --- BitmapLayer -----------------------------------------------------------------

BitmapLayer::BitmapLayer(LayerStack* collection)
    : PositionedLayer(collection), m_bitmap(std::make_unique<Bitmap32>()) {
  m_bitmap->onChange = [this](Bitmap32*) {
    recordPendingChange();
    notifyLayerChanged();
  };
}

BitmapLayer::~BitmapLayer() {
  // The bitmap goes first, silently; the base then leaves the collection.
  m_bitmap->onChange = nullptr;
  m_bitmap.reset();
}

namespace {

// The transfer subtracts edges in 32 bits; a rectangle whose sides do not
// fit cannot be a real layer (rounding saturated an absurd location).
bool sidesFitInt32(const Rect& r) {
  constexpr std::int64_t limit = INT32_MAX;
  return std::int64_t{r.right} - r.left <= limit && std::int64_t{r.bottom} - r.top <= limit;
}

}  // namespace

void BitmapLayer::paintLayer(Bitmap32& buffer, const Rect& area) {
  if (m_bitmap->isEmpty() || buffer.isEmpty()) return;
  const Rect dstRect = roundRealRect(location());
  // A layer wholly outside the buffer paints nothing; skipping it here also
  // keeps absurd locations (a protractor dragged far away) out of the
  // transfer's rectangle arithmetic.
  Rect visible;
  if (!intersectRects(visible, dstRect, buffer.pixelBounds()) || rectIsEmpty(visible)) return;
  if (!sidesFitInt32(dstRect)) return;
  // Every transfer computes each pixel from its own position alone, so a
  // clip to the area gives the same pixels there as the whole-buffer paint.
  Rect clip;
  if (!intersectRects(clip, area, buffer.pixelBounds()) || rectIsEmpty(clip)) return;
  transferRect(&buffer, dstRect, clip, m_bitmap.get(), m_bitmap->pixelBounds(), m_bitmap->stretchFilter(),
               m_bitmap->drawMode(), m_bitmap->pixelCombiner);
}

// The bitmap's own record of the pixels it changed, placed on the control
// when the bitmap is shown unscaled; anything else counts as the whole layer.
void BitmapLayer::recordPendingChange() {
  Rect changed;
  const Bitmap32::ChangeExtent change = m_bitmap->takeChangedArea(changed);
  if (!visible() || change == Bitmap32::ChangeExtent::None) return;
  const Rect at = roundRealRect(location());
  const bool unscaled = sidesFitInt32(at) && std::int64_t{at.right} - at.left == m_bitmap->width() &&
                        std::int64_t{at.bottom} - at.top == m_bitmap->height();
  if (change == Bitmap32::ChangeExtent::Whole || !unscaled) {
    recordStaleExtent();
    return;
  }
  const std::int64_t left = std::int64_t{at.left} + changed.left, top = std::int64_t{at.top} + changed.top;
  const std::int64_t right = std::int64_t{at.left} + changed.right, bottom = std::int64_t{at.top} + changed.bottom;
  if (left < INT32_MIN || top < INT32_MIN || right > INT32_MAX || bottom > INT32_MAX) {
    recordStaleExtent();
    return;
  }
  recordStaleArea(Rect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                        static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom)});
}

std::optional<Rect> BitmapLayer::opaqueCover(const Bitmap32& buffer) const {
  const Bitmap32& bitmap = *m_bitmap;
  if (bitmap.isEmpty() || buffer.isEmpty()) return std::nullopt;
  const bool copies = bitmap.drawMode() == DrawMode::Opaque || (bitmap.drawMode() == DrawMode::Custom && !bitmap.pixelCombiner);
  if (!copies) return std::nullopt;
  // The same rectangle paintLayer hands to the transfer; an unscaled one
  // copies every pixel of its part inside the buffer.
  const Rect dstRect = roundRealRect(location());
  if (!sidesFitInt32(dstRect)) return std::nullopt;
  if (dstRect.right - dstRect.left != bitmap.width() || dstRect.bottom - dstRect.top != bitmap.height()) return std::nullopt;
  Rect covered;
  if (!intersectRects(covered, dstRect, buffer.pixelBounds()) || rectIsEmpty(covered)) return std::nullopt;
  return covered;
}

}  // namespace gradoir
