#pragma once
// The layer stack of the layered image widget: TLayerCollection holds
// TCustomLayer -> TPositionedLayer -> TBitmapLayer, painted from index 0 up.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "raster/bitmap32.h"

namespace gradoir {

class TCustomImage32;
class TCustomLayer;

// LayerOptions bits.
constexpr std::uint32_t LOB_VISIBLE = 0x80000000u;
constexpr std::uint32_t LOB_GDI_OVERLAY = 0x40000000u;
constexpr std::uint32_t LOB_MOUSE_EVENTS = 0x20000000u;
constexpr std::uint32_t LOB_NO_UPDATE = 0x10000000u;

// The list does not own its layers: whoever creates a layer releases it, and
// a released layer leaves the list. A collection that dies first detaches
// the layers still in it. The owner may be null (a lone layer).
class TLayerCollection {
 public:
  explicit TLayerCollection(TCustomImage32* owner);
  ~TLayerCollection();
  TLayerCollection(const TLayerCollection&) = delete;
  TLayerCollection& operator=(const TLayerCollection&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  TCustomLayer* Items(int index) const { return items_[index]; }
  TCustomImage32* Owner() const { return owner_; }

  void BeginUpdate();
  // Throws EAssertionFailed("Unpaired EndUpdate") when no batch is open; the
  // last EndUpdate fires OnChange.
  void EndUpdate();
  void Changed();   // OnChange, unless a batch is open
  void Changing();  // OnChanging

  std::function<void()> OnChange;
  std::function<void()> OnChanging;

 private:
  friend class TCustomLayer;
  void InsertItem(TCustomLayer* layer);
  void RemoveItem(TCustomLayer* layer);
  // A hidden layer that paints on the window after the copy changed.
  void RepaintOverlay();

  TCustomImage32* owner_;
  std::vector<TCustomLayer*> items_;
  std::int32_t update_count_ = 0;
};

class TCustomLayer {
 public:
  // Appends the layer at the end of the collection's list (nullptr: none).
  explicit TCustomLayer(TLayerCollection* collection);
  virtual ~TCustomLayer();
  TCustomLayer(const TCustomLayer&) = delete;
  TCustomLayer& operator=(const TCustomLayer&) = delete;

  TLayerCollection* LayerCollection() const { return collection_; }
  int Index() const;
  std::uint32_t LayerOptions() const { return options_; }
  void SetLayerOptions(std::uint32_t options);
  bool Visible() const { return (options_ & LOB_VISIBLE) != 0; }
  // Notifies even when the value does not change.
  void SetVisible(bool visible);

  // Draws the layer into the whole buffer.
  void PaintLayer(TBitmap32& buffer);
  // Draws the layer into buffer, touching only the pixels inside area; the
  // pixels inside come out exactly as a whole-buffer PaintLayer makes them.
  virtual void PaintLayer(TBitmap32& buffer, const TRect& area);
  // The part of buffer that PaintLayer overwrites whole, whatever it held
  // before (false when there is none): what lies under it need not be drawn.
  virtual bool OpaqueCover(const TBitmap32& buffer, TRect& covered) const;

 protected:
  // Both announce a change through the collection when the layer belongs to
  // one and LOB_NO_UPDATE is clear; only visible layers reach the control.
  void NotifyLayerChanging();
  void NotifyLayerChanged();
  // Tell the owning control, silently, where the picture changes, so that
  // the next rebuild redraws there: where the visible layer lies (before
  // and after a move), or where it changed its own pixels since it last
  // said so (the whole layer unless it knows better).
  void RecordStaleExtent() const;
  void RecordStaleArea(const TRect& area) const;
  virtual void RecordPendingChange();
  // Where the layer draws in control pixels; false: it may draw anywhere.
  virtual bool Extent(TRect& extent) const;
  std::uint32_t options_ = LOB_VISIBLE;

 private:
  friend class TLayerCollection;
  bool SendsNotifications() const;
  TLayerCollection* collection_ = nullptr;
};

class TPositionedLayer : public TCustomLayer {
 public:
  explicit TPositionedLayer(TLayerCollection* collection);
  TRealRect Location() const { return location_; }
  // Notifies even when the location does not change.
  void SetLocation(const TRealRect& r);
  bool Scaled = false;

 protected:
  virtual void DoSetLocation(const TRealRect& r) { location_ = r; }
  // The location rounded to pixels.
  bool Extent(TRect& extent) const override;

 private:
  TRealRect location_{0, 0, 64, 64};
};

class TBitmapLayer : public TPositionedLayer {
 public:
  explicit TBitmapLayer(TLayerCollection* collection);
  ~TBitmapLayer() override;
  TBitmap32& Bitmap() { return *bitmap_; }
  const TBitmap32& Bitmap() const { return *bitmap_; }
  using TCustomLayer::PaintLayer;
  void PaintLayer(TBitmap32& buffer, const TRect& area) override;
  // An unscaled bitmap drawn by copying (dmOpaque, or dmCustom without a
  // handler) covers its rectangle within the buffer.
  bool OpaqueCover(const TBitmap32& buffer, TRect& covered) const override;

 protected:
  void RecordPendingChange() override;

 private:
  std::unique_ptr<TBitmap32> bitmap_;
};

}  // namespace gradoir
