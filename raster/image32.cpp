#include "raster/image32.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "raster/errors.h"
#include "raster/geometry.h"
#include "raster/transfer.h"

namespace gradoir {

namespace {

// Size of a new control until its parent lays it out.
constexpr int kInitialSide = 192;

// Buffer that no longer fits the client extent: too small, or larger by
// more than the slack.
bool NeedsRealloc(std::int32_t buffer_extent, std::int32_t client_extent) {
  return client_extent > buffer_extent ||
         buffer_extent - client_extent > TCustomPaintBox32::BufferSlack;
}

}  // namespace

// --- TCustomPaintBox32 ------------------------------------------------------------

TCustomPaintBox32::TCustomPaintBox32(QWidget* parent)
    : QWidget(parent), buffer_(std::make_unique<TBitmap32>()) {
  // Drawing into the buffer never notifies anyone: this batch stays open.
  buffer_->StartUpdate();
  // The paint covers every pixel, so Qt need not erase the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
  resize(kInitialSide, kInitialSide);
}

TCustomPaintBox32::~TCustomPaintBox32() = default;

void TCustomPaintBox32::PaintBuffer() { buffer_valid_ = true; }

TRect TCustomPaintBox32::GetViewportRect() const { return RectOf(0, 0, width(), height()); }

void TCustomPaintBox32::InvalidateImage() {
  buffer_valid_ = false;
  update();
}

void TCustomPaintBox32::RepaintNow() {
  InvalidateImage();
  repaint();
}

void TCustomPaintBox32::ResizeBuffer() {
  const std::int32_t w = std::max(0, width());
  const std::int32_t h = std::max(0, height());
  // A hidden widget gets its resize event only when shown; a size change
  // seen here makes the picture stale all the same.
  if (w != painted_width_ || h != painted_height_) {
    painted_width_ = w;
    painted_height_ = h;
    buffer_valid_ = false;
  }
  if (!NeedsRealloc(buffer_->Width(), w) && !NeedsRealloc(buffer_->Height(), h)) return;
  buffer_->EnterLock();
  buffer_->SetBitmapSize(w, h);
  buffer_->LeaveLock();
  buffer_valid_ = false;
}

void TCustomPaintBox32::ValidateBuffer() {
  ResizeBuffer();
  if (!buffer_valid_) PaintBuffer();
}

void TCustomPaintBox32::paintEvent(QPaintEvent* /*event*/) {
  ValidateBuffer();
  CopyBufferToWindow();
  DoBufferCopied();
}

void TCustomPaintBox32::CopyBufferToWindow() {
  if (buffer_->IsEmpty()) return;
  TRect view;
  if (!IntersectRects(view, GetViewportRect(), buffer_->PixelBounds()) || RectIsEmpty(view)) return;
  buffer_->EnterLock();
  {
    // Wrap the buffer's own memory: Format_ARGB32 words are TColor32 values.
    const QImage image(reinterpret_cast<const uchar*>(buffer_->Bits()), buffer_->Width(),
                       buffer_->Height(), buffer_->Width() * 4, QImage::Format_ARGB32);
    QPainter painter(this);
    // A block copy: the buffer's alpha byte must not blend with the window.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect part(view.Left, view.Top, view.Right - view.Left, view.Bottom - view.Top);
    painter.drawImage(part.topLeft(), image, part);
  }
  buffer_->LeaveLock();
}

void TCustomPaintBox32::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ResizeBuffer();
  buffer_valid_ = false;
}

void TCustomPaintBox32::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  buffer_valid_ = false;
}

// --- TCustomImage32 -----------------------------------------------------------------

TCustomImage32::TCustomImage32(QWidget* parent)
    : TCustomPaintBox32(parent),
      bitmap_(std::make_unique<TBitmap32>()),
      layers_(std::make_unique<TLayerCollection>(this)),
      paint_stages_(std::make_unique<TPaintStages>()) {
  layers_->OnChange = [this] { ImageChanged(); };
  InitDefaultStages();
}

TCustomImage32::~TCustomImage32() {
  // From here on no change reaches the half-destroyed control.
  BeginUpdate();
  paint_stages_.reset();
  layers_.reset();
  bitmap_.reset();
}

void TCustomImage32::InitDefaultStages() {
  // The paint order, once: background, own bitmap, then the visible layers
  // from index 0 up, so later layers lie on top. Frames are for a designer.
  paint_stages_->Add() = {true, true, psClearBackground, 0};
  paint_stages_->Add() = {true, true, psDrawBitmap, 0};
  paint_stages_->Add() = {true, true, psDrawLayers, LOB_VISIBLE};
  paint_stages_->Add() = {true, false, psControlFrame, 0};
  paint_stages_->Add() = {true, false, psBitmapFrame, 0};
}

void TCustomImage32::SetColor(TColor color) {
  color_ = color;
  InvalidateImage();
}

void TCustomImage32::BeginUpdate() { ++update_count_; }

void TCustomImage32::EndUpdate() {
  if (update_count_ <= 0) throw EAssertionFailed("Unpaired EndUpdate call");
  --update_count_;
}

void TCustomImage32::ImageChanged() {
  if (update_count_ != 0) return;
  InvalidateImage();
  if (OnChange) OnChange();
}

void TCustomImage32::PaintBuffer() {
  for (int i = 0; i < paint_stages_->Count(); ++i) {
    const TPaintStage& stage = paint_stages_->Items(i);
    if (stage.RunTime) RunStage(stage, Buffer());
  }
  TCustomPaintBox32::PaintBuffer();
}

void TCustomImage32::RunStage(const TPaintStage& stage, TBitmap32& dest) {
  switch (stage.Stage) {
    case psClearBackground: ExecClearBackground(dest, stage.Parameter); break;
    case psDrawBitmap: ExecDrawBitmap(dest, stage.Parameter); break;
    case psDrawLayers: ExecDrawLayers(dest, stage.Parameter); break;
    case psControlFrame:
    case psBitmapFrame: break;  // focus frames: never drawn in this program
  }
}

void TCustomImage32::ExecClearBackground(TBitmap32& dest, std::uint32_t /*parameter*/) {
  // An opaque own bitmap covering the whole buffer would hide the fill; the
  // program's own bitmap is always empty, so the fill always happens.
  const bool bitmap_covers = !bitmap_->IsEmpty() && bitmap_->DrawMode() == dmOpaque &&
                             bitmap_->Width() >= dest.Width() && bitmap_->Height() >= dest.Height();
  if (!bitmap_covers) dest.FillAll(ColorToArgb(color_));
}

void TCustomImage32::ExecDrawBitmap(TBitmap32& dest, std::uint32_t /*parameter*/) {
  // Placement and scaling of the own bitmap are never used here: it is drawn
  // unscaled at the top-left corner.
  if (bitmap_->IsEmpty() || dest.IsEmpty()) return;
  TransferRect(&dest, bitmap_->PixelBounds(), dest.PixelBounds(), bitmap_.get(),
               bitmap_->PixelBounds(), bitmap_->StretchFilter(), bitmap_->DrawMode(),
               bitmap_->OnPixelCombine);
}

void TCustomImage32::ExecDrawLayers(TBitmap32& dest, std::uint32_t parameter) {
  for (int i = 0; i < layers_->Count(); ++i) {
    TCustomLayer* layer = layers_->Items(i);
    if ((layer->LayerOptions() & parameter) != 0) layer->PaintLayer(dest);
  }
}

}  // namespace gradoir
