#include "raster/transfer.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "raster/blend.h"
#include "raster/blend_guard.h"
#include "raster/errors.h"
#include "raster/geometry.h"
#include "raster/pixel_rows.h"

namespace gradoir {
namespace {

// DrawMode::Custom needs someone to decide; without a handler the pixels are copied.
DrawMode effectiveMode(DrawMode mode, const PixelCombiner& handler) {
  return (mode == DrawMode::Custom && !handler) ? DrawMode::Opaque : mode;
}

constexpr Color32 kOpaqueWhite = 0xFFFFFFFFu;


// Combines Count source pixels into a destination row by the draw mode.
// transparentWhite: the handler is transparentWhiteCombine (decided once
// per transfer by the caller).
void combineRow(const Color32* src, Color32* dst, std::int32_t count, DrawMode mode,
                std::uint32_t masterAlpha, const PixelCombiner& handler, bool transparentWhite) {
  switch (mode) {
    case DrawMode::Opaque:
      // memmove: a bitmap may be drawn onto itself with overlapping rows.
      if (src != dst) std::memmove(dst, src, static_cast<std::size_t>(count) * sizeof(Color32));
      break;
    case DrawMode::Blend:
      if (masterAlpha < 255) {
        blendRowScaled(src, dst, count, masterAlpha);
      } else {
        blendRow(src, dst, count);
      }
      break;
    case DrawMode::Custom:
      if (transparentWhite) {
        // transparentWhiteCombine as one row loop instead of a std::function
        // call per pixel, the same pixel for pixel: this loop is most of a
        // whole rebuild of the canvas (bench/run.sh shows what it costs).
        copyUnlessOpaqueWhite(src, dst, count);
      } else {
        for (std::int32_t i = 0; i < count; ++i) handler(src[i], dst[i], masterAlpha);
      }
      break;
  }
}

// One axis of a block transfer: destination span [begin, end) whose first
// pixel reads source index srcBegin.
struct BlockSpan {
  std::int64_t begin;
  std::int64_t end;
  std::int64_t srcBegin;
};

// Narrows the span so that it stays inside both bitmaps. Valid arguments
// come out unchanged; anything else can no longer reach outside memory.
BlockSpan clipSpan(BlockSpan s, std::int64_t dstSize, std::int64_t srcSize) {
  const std::int64_t begin = std::max({s.begin, std::int64_t{0}, s.begin - s.srcBegin});
  const std::int64_t end = std::min({s.end, dstSize, s.begin + (srcSize - s.srcBegin)});
  return {begin, end, s.srcBegin + (begin - s.begin)};
}

// Nearest source index for destination offset `offset` when srcLen pixels
// are stretched over dstLen, sampling at pixel centres. offset < 2^32 and
// srcLen < 2^31, so the product stays below 2^64.
std::int64_t nearestSourceIndex(std::int64_t offset, std::int64_t srcLen, std::int64_t dstLen) {
  const auto numerator = (2 * static_cast<std::uint64_t>(offset) + 1) * static_cast<std::uint64_t>(srcLen);
  return static_cast<std::int64_t>(numerator / (2 * static_cast<std::uint64_t>(dstLen)));
}

std::int64_t width64(const Rect& r) { return std::int64_t{r.right} - r.left; }
std::int64_t height64(const Rect& r) { return std::int64_t{r.bottom} - r.top; }

// Stretches srcRect over dstRect by nearest sampling, drawing only `clip`
// (non-empty, inside dst and dstRect). Sampled rows go through a scratch
// row so that the modes combine exactly as in a block transfer.
void transferScaled(Bitmap32& dst, const Rect& dstRect, const Rect& clip, const Bitmap32& src,
                    const Rect& srcRect, DrawMode mode, const PixelCombiner& handler) {
  const std::int32_t count = clip.right - clip.left;
  std::vector<std::int32_t> sourceColumn(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int64_t offset = std::int64_t{clip.left} + i - dstRect.left;
    sourceColumn[i] = static_cast<std::int32_t>(
        srcRect.left + nearestSourceIndex(offset, width64(srcRect), width64(dstRect)));
  }
  std::vector<Color32> row(static_cast<std::size_t>(count));
  const bool transparentWhite = mode == DrawMode::Custom && isTransparentWhiteCombine(handler);
  for (std::int32_t y = clip.top; y < clip.bottom; ++y) {
    const std::int64_t offset = std::int64_t{y} - dstRect.top;
    const auto srcY =
        static_cast<std::int32_t>(srcRect.top + nearestSourceIndex(offset, height64(srcRect), height64(dstRect)));
    for (std::int32_t i = 0; i < count; ++i) row[i] = src.pixelAt(sourceColumn[i], srcY);
    combineRow(row.data(), dst.pixelAddress(clip.left, y), count, mode, src.masterAlpha(), handler,
               transparentWhite);
  }
}

bool rectInside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

void transferBlock(Bitmap32& dst, Rect dstArea, const Bitmap32& src, std::int32_t srcX,
                   std::int32_t srcY, DrawMode mode, const PixelCombiner& handler) {
  const BlockSpan cols = clipSpan({dstArea.left, dstArea.right, srcX}, dst.width(), src.width());
  const BlockSpan rows = clipSpan({dstArea.top, dstArea.bottom, srcY}, dst.height(), src.height());
  if (cols.end <= cols.begin || rows.end <= rows.begin) return;

  mode = effectiveMode(mode, handler);
  const auto count = static_cast<std::int32_t>(cols.end - cols.begin);
  const auto dstLeft = static_cast<std::int32_t>(cols.begin);
  const auto srcLeft = static_cast<std::int32_t>(cols.srcBegin);
  const bool transparentWhite = mode == DrawMode::Custom && isTransparentWhiteCombine(handler);
  for (std::int64_t y = rows.begin; y < rows.end; ++y) {
    const auto sy = static_cast<std::int32_t>(rows.srcBegin + (y - rows.begin));
    combineRow(src.rowStart(sy) + srcLeft, dst.pixelAddress(dstLeft, static_cast<std::int32_t>(y)),
               count, mode, src.masterAlpha(), handler, transparentWhite);
  }
}

void transferRect(Bitmap32* dst, Rect dstRect, Rect dstClip, Bitmap32* src, Rect srcRect,
                  StretchFilter filter, DrawMode mode, const PixelCombiner& handler) {
  // Only nearest sampling is offered for stretching; no layer is ever drawn scaled.
  (void)filter;
  BlendStateGuard blendState;
  if (src == nullptr) throw TransformError("Source bitmap is nil or empty");
  if (src->isEmpty()) return;
  if (dst == nullptr || dst->isEmpty()) throw TransformError("Destination bitmap is nil or empty");
  if (rectIsEmpty(srcRect)) return;
  if (!rectInside(srcRect, src->pixelBounds())) throw TransformError("Source rectangle is invalid");

  Rect clip;
  intersectRects(clip, dstClip, dst->pixelBounds());
  intersectRects(clip, clip, dstRect);
  if (rectIsEmpty(clip)) return;

  mode = effectiveMode(mode, handler);
  if (mode == DrawMode::Blend && src->masterAlpha() == 0) return;

  // clip is non-empty and inside dstRect, so dstRect has a positive size here.
  if (width64(dstRect) == width64(srcRect) && height64(dstRect) == height64(srcRect)) {
    // Both offsets lie inside srcRect, so they fit in 32 bits.
    const auto srcX = static_cast<std::int32_t>(std::int64_t{srcRect.left} + clip.left - dstRect.left);
    const auto srcY = static_cast<std::int32_t>(std::int64_t{srcRect.top} + clip.top - dstRect.top);
    transferBlock(*dst, clip, *src, srcX, srcY, mode, handler);
  } else {
    transferScaled(*dst, dstRect, clip, *src, srcRect, mode, handler);
  }
}

void copyOnto(Bitmap32& src, Bitmap32& dst, Rect dstRect) {
  if (src.isEmpty() || dst.isEmpty()) return;
  transferRect(&dst, dstRect, dst.pixelBounds(), &src, src.pixelBounds(), src.stretchFilter(), src.drawMode(),
               src.pixelCombiner);
  dst.notifyChanged();
}

void transparentWhiteCombine(Color32 F, Color32& B, Color32 /*M*/) {
  if (F != kOpaqueWhite) B = F;
}

bool isTransparentWhiteCombine(const PixelCombiner& handler) {
  using CombineFunction = void (*)(Color32, Color32&, Color32);
  const CombineFunction* f = handler.target<CombineFunction>();
  return f != nullptr && *f == &transparentWhiteCombine;
}

}  // namespace gradoir
