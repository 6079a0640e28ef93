#pragma once
// The layer stack of a compositor (compositor.h): LayerStack holds
// Layer -> PositionedLayer -> BitmapLayer, painted from index 0 up.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "raster/bitmap32.h"

namespace gradoir {

class Compositor;
class Layer;

// layerOptions bits.
constexpr std::uint32_t kLayerVisible = 0x80000000u;
// The layer's changes notify nobody (the pictures still record where they
// changed).
constexpr std::uint32_t kLayerSilent = 0x10000000u;

// The list does not own its layers: whoever creates a layer releases it, and
// a released layer leaves the list. A collection that dies first detaches
// the layers still in it. The owner, whose picture the layers tell where
// they changed, may be null (a lone layer).
class LayerStack {
 public:
  explicit LayerStack(Compositor* owner);
  ~LayerStack();
  LayerStack(const LayerStack&) = delete;
  LayerStack& operator=(const LayerStack&) = delete;

  int count() const { return static_cast<int>(m_items.size()); }
  Layer* items(int index) const { return m_items[index]; }
  Compositor* owner() const { return m_owner; }

  void beginUpdate();
  // Throws AssertionFailed("Unpaired endUpdate") when no batch is open; the
  // last endUpdate fires onChange.
  void endUpdate();
  void changed();  // onChange, unless a batch is open

  std::function<void()> onChange;

 private:
  friend class Layer;
  void insertItem(Layer* layer);
  void removeItem(Layer* layer);

  Compositor* m_owner;
  std::vector<Layer*> m_items;
  std::int32_t m_updateCount = 0;
};

class Layer {
 public:
  // Appends the layer at the end of the collection's list (nullptr: none).
  explicit Layer(LayerStack* collection);
  virtual ~Layer();
  Layer(const Layer&) = delete;
  Layer& operator=(const Layer&) = delete;

  LayerStack* layerCollection() const { return m_collection; }
  int index() const;
  std::uint32_t layerOptions() const { return m_options; }
  void setLayerOptions(std::uint32_t options);
  bool visible() const { return (m_options & kLayerVisible) != 0; }
  // Notifies even when the value does not change.
  void setVisible(bool visible);

  // Draws the layer into the whole buffer.
  void paintLayer(Bitmap32& buffer);
  // Draws the layer into buffer, touching only the pixels inside area; the
  // pixels inside come out exactly as a whole-buffer paintLayer makes them.
  virtual void paintLayer(Bitmap32& buffer, const Rect& area);
  // The part of buffer that paintLayer overwrites whole, whatever it held
  // before (false when there is none): what lies under it need not be drawn.
  virtual std::optional<Rect> opaqueCover(const Bitmap32& buffer) const;

 protected:
  // Announces a change through the collection when the layer belongs to
  // one and kLayerSilent is clear; only visible layers reach the control.
  void notifyLayerChanged();
  // Tell the owning compositor, silently, where the picture changes, so that
  // the next rebuild redraws there: where the visible layer lies (before
  // and after a move), or where it changed its own pixels since it last
  // said so (the whole layer unless it knows better).
  void recordStaleExtent() const;
  void recordStaleArea(const Rect& area) const;
  virtual void recordPendingChange();
  // Where the layer draws in control pixels; false: it may draw anywhere.
  virtual std::optional<Rect> extent() const;
  std::uint32_t m_options = kLayerVisible;

 private:
  friend class LayerStack;
  bool sendsNotifications() const;
  LayerStack* m_collection = nullptr;
};

class PositionedLayer : public Layer {
 public:
  explicit PositionedLayer(LayerStack* collection);
  RectF location() const { return m_location; }
  // Notifies even when the location does not change.
  void setLocation(const RectF& r);

 protected:
  // The location rounded to pixels.
  std::optional<Rect> extent() const override;

 private:
  RectF m_location{0, 0, 64, 64};
};

class BitmapLayer : public PositionedLayer {
 public:
  explicit BitmapLayer(LayerStack* collection);
  ~BitmapLayer() override;
  Bitmap32& bitmap() { return *m_bitmap; }
  const Bitmap32& bitmap() const { return *m_bitmap; }
  using Layer::paintLayer;
  void paintLayer(Bitmap32& buffer, const Rect& area) override;
  // An unscaled bitmap drawn by copying (DrawMode::Opaque, or DrawMode::Custom without a
  // handler) covers its rectangle within the buffer.
  std::optional<Rect> opaqueCover(const Bitmap32& buffer) const override;

 protected:
  void recordPendingChange() override;

 private:
  std::unique_ptr<Bitmap32> m_bitmap;
};

}  // namespace gradoir
