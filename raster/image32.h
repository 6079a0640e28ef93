#pragma once
// The layered image widget: TCustomPaintBox32 keeps a back buffer and copies
// it to the window; TCustomImage32 rebuilds that buffer from its paint stages
// (background, own bitmap, visible layers from index 0 up) whenever it has
// been invalidated. Every repaint rebuilds the whole buffer.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "raster/bitmap32.h"
#include "raster/layers.h"

namespace gradoir {

class TCustomPaintBox32 : public QWidget {
  Q_OBJECT

 public:
  explicit TCustomPaintBox32(QWidget* parent = nullptr);
  ~TCustomPaintBox32() override;

  TBitmap32& Buffer() { return *buffer_; }
  const TBitmap32& Buffer() const { return *buffer_; }
  bool BufferValid() const { return buffer_valid_; }
  // How much larger than the client area the buffer may stay before it is
  // reallocated, so that small shrinks of the window cost no allocation.
  static constexpr std::int32_t BufferSlack = 40;

  // Rebuilds the buffer; at this level it only marks it valid.
  virtual void PaintBuffer();
  // Part of the buffer that is shown: (0, 0, width, height).
  virtual TRect GetViewportRect() const;

  // Marks the buffer stale and asks the window system for a repaint later;
  // requests merge, so many invalidations cost one repaint.
  virtual void InvalidateImage();
  // InvalidateImage, then paints before returning.
  void RepaintNow();

  // Reallocates the buffer to the client size when it is too small or more
  // than BufferSlack too large (negative sizes count as 0).
  void ResizeBuffer();
  // ResizeBuffer, then PaintBuffer when the buffer is stale: the picture the
  // next copy to the window shows. Also usable without a window.
  void ValidateBuffer();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  // Called after each copy of the buffer to the window.
  virtual void DoBufferCopied() {}
  void SetBufferValid(bool valid) { buffer_valid_ = valid; }

 private:
  void CopyBufferToWindow();

  std::unique_ptr<TBitmap32> buffer_;
  bool buffer_valid_ = false;
  // Client size the buffer was last checked against.
  std::int32_t painted_width_ = -1;
  std::int32_t painted_height_ = -1;
};

// Kinds of paint stages; only the first three run in the program, the frame
// stages exist for a designer and are marked not to run.
enum TPaintStageKind : std::uint32_t {
  psClearBackground,
  psDrawBitmap,
  psDrawLayers,
  psControlFrame,
  psBitmapFrame,
};

struct TPaintStage {
  bool DesignTime = false;
  bool RunTime = true;
  TPaintStageKind Stage = psClearBackground;
  std::uint32_t Parameter = 0;
};

// Ordered list of paint stages.
class TPaintStages {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  const TPaintStage& Items(int index) const { return items_[index]; }
  TPaintStage& Add() { return items_.emplace_back(); }
  void Clear() { items_.clear(); }

 private:
  std::vector<TPaintStage> items_;
};

class TCustomImage32 : public TCustomPaintBox32 {
  Q_OBJECT

 public:
  explicit TCustomImage32(QWidget* parent = nullptr);
  ~TCustomImage32() override;

  TBitmap32& Bitmap() { return *bitmap_; }
  TLayerCollection& Layers() { return *layers_; }
  const TLayerCollection& Layers() const { return *layers_; }
  TPaintStages& PaintStages() { return *paint_stages_; }

  // The control's colour (toolkit colour), which the background stage fills
  // with. It is the parent's colour: the main window is white.
  TColor Color() const { return color_; }
  void SetColor(TColor color);

  void BeginUpdate();
  // Throws EAssertionFailed("Unpaired EndUpdate call") when no batch is open.
  void EndUpdate();
  std::int32_t UpdateCount() const { return update_count_; }

  // Invalidates the image and fires OnChange, unless a batch is open.
  virtual void ImageChanged();
  void PaintBuffer() override;

  std::function<void()> OnChange;

 protected:
  virtual void ExecClearBackground(TBitmap32& dest, std::uint32_t parameter);
  virtual void ExecDrawBitmap(TBitmap32& dest, std::uint32_t parameter);
  virtual void ExecDrawLayers(TBitmap32& dest, std::uint32_t parameter);

 private:
  void InitDefaultStages();
  void RunStage(const TPaintStage& stage, TBitmap32& dest);

  std::unique_ptr<TBitmap32> bitmap_;
  std::unique_ptr<TLayerCollection> layers_;
  std::unique_ptr<TPaintStages> paint_stages_;
  std::int32_t update_count_ = 0;
  TColor color_ = 0x00FFFFFF;  // white
};

}  // namespace gradoir
