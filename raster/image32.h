#pragma once
// The layered image widget: TCustomPaintBox32 keeps a back buffer and copies
// it to the window; TCustomImage32 rebuilds that buffer from its paint stages
// (background, own bitmap, visible layers from index 0 up) whenever it has
// been invalidated. A repaint rebuilds and copies the part that changes
// record as stale (a moved layer's old and new place, the pixels a layer's
// bitmap drew), and every pixel of that part exactly as a whole rebuild
// would; InvalidateImage makes all of it stale.
#include <QWidget>
#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "raster/bitmap32.h"
#include "raster/layers.h"

namespace gradoir {

// A stale area that reaches every pixel, whatever the buffer's size.
constexpr TRect kWholeControl{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};

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

  // Marks the whole buffer stale and asks the window system for a repaint
  // later; requests merge, so many invalidations cost one repaint.
  virtual void InvalidateImage();
  // Marks an area of the buffer as no longer showing the current picture,
  // without asking for a repaint. The next rebuild redraws the stale areas
  // (their bounding rectangle) rather than the whole buffer: a moved or
  // turned protractor costs two or one 482 x 482 squares, not a full frame
  // (moving it with its repaint: 1.75 ms before, 0.14 ms now, 1920 x 1080).
  void AddStaleArea(const TRect& area);
  // The part of the window that the repaints asked for since the last paint
  // still have to copy (false: none). What the window system will hand to
  // the next paint event; benches and tests that stand in for the window
  // render this part.
  bool PendingWindowArea(TRect& area) const;
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
  // Asks for a repaint that rebuilds the stale areas (every change records
  // its area before it asks); with none recorded, everything.
  void RequestRepaint();
  // The stale part of the buffer, which the rebuild about to run redraws;
  // the record is cleared. False: nothing within the buffer is stale.
  bool TakeStaleArea(TRect& area);
  // After a rebuild of area: keeps track of where pixels that are not
  // opaque may lie, so that the window copy converts only there.
  void NoteRebuilt(const TRect& area);

 private:
  void CopyBufferToWindow(const TRect& area);
  void MarkAllStale() { AddStaleArea(kWholeControl); }

  std::unique_ptr<TBitmap32> buffer_;
  bool buffer_valid_ = false;
  // Client size the buffer was last checked against.
  std::int32_t painted_width_ = -1;
  std::int32_t painted_height_ = -1;
  // Bounding rectangle of the stale areas, when has_stale_.
  bool has_stale_ = true;
  TRect stale_ = kWholeControl;
  bool has_window_stale_ = false;
  TRect window_stale_{};
  // Bounding rectangle of the buffer pixels whose alpha may be below 255.
  TRect translucent_ = kWholeControl;
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
  // The part of dest that a layer stage after stage `index` overwrites whole.
  bool LaterOpaqueCover(int index, const TBitmap32& dest, TRect& covered) const;
  void RebuildArea(const TRect& area);

  std::unique_ptr<TBitmap32> bitmap_;
  std::unique_ptr<TLayerCollection> layers_;
  std::unique_ptr<TPaintStages> paint_stages_;
  std::int32_t update_count_ = 0;
  TColor color_ = 0x00FFFFFF;  // white
  // The part of the buffer the stages are drawing, set by PaintBuffer.
  TRect paint_area_{};
  // Set by PaintBuffer for the background stage it is about to run: the
  // part of the buffer a later layer overwrites, which the fill leaves out.
  bool background_covered_ = false;
  TRect background_cover_{};
};

}  // namespace gradoir
