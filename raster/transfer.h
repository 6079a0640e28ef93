#pragma once
// Drawing one bitmap into another by the source's draw mode: DrawMode::Opaque copies,
// DrawMode::Blend blends by alpha and masterAlpha, DrawMode::Custom calls pixelCombiner once
// per covered destination pixel, rows top to bottom, pixels left to right.
#include "raster/bitmap32.h"

namespace gradoir {

// Draws src's SrcRect into DstRect of dst, only inside DstClip; does not
// notify. Throws TransformError with "Destination bitmap is nil or empty",
// "Source bitmap is nil or empty" or "Source rectangle is invalid".
void transferRect(Bitmap32* dst, Rect dstRect, Rect dstClip, Bitmap32* src, Rect srcRect,
                  StretchFilter filter, DrawMode mode, const PixelCombiner& handler);

// Combines the equal-size block of src at (srcX, srcY) into dstArea.
// Parts that would fall outside either bitmap are skipped.
void transferBlock(Bitmap32& dst, Rect dstArea, const Bitmap32& src, std::int32_t srcX,
                   std::int32_t srcY, DrawMode mode, const PixelCombiner& handler);

// src drawn into dstRect of dst by its own filter, mode and handler, then
// dst's notifyChanged; nothing when either bitmap is empty.
void copyOnto(Bitmap32& src, Bitmap32& dst, Rect dstRect);

// Pixel combiner that makes opaque white see-through: when F is exactly
// 0xFFFFFFFF, B is left unchanged; any other F replaces B whole, alpha
// included; M is ignored. A DrawMode::Custom transfer whose handler is this very
// function runs it as an inlined row loop instead of one call per pixel.
void transparentWhiteCombine(Color32 F, Color32& B, Color32 M);

// True when handler holds transparentWhiteCombine itself.
bool isTransparentWhiteCombine(const PixelCombiner& handler);

}  // namespace gradoir
