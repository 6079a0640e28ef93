#pragma once
// Drawing one bitmap into another by the source's draw mode: dmOpaque copies,
// dmBlend blends by alpha and MasterAlpha, dmCustom calls OnPixelCombine once
// per covered destination pixel, rows top to bottom, pixels left to right.
#include "raster/bitmap32.h"

namespace gradoir {

// Draws src's SrcRect into DstRect of dst, only inside DstClip; does not
// notify. Throws ETransformError with "Destination bitmap is nil or empty",
// "Source bitmap is nil or empty" or "Source rectangle is invalid".
void TransferRect(TBitmap32* dst, TRect dst_rect, TRect dst_clip, TBitmap32* src, TRect src_rect,
                  TStretchFilter filter, TDrawMode mode, const TPixelCombineEvent& handler);

// Combines the equal-size block of src at (src_x, src_y) into dst_area.
// Parts that would fall outside either bitmap are skipped.
void TransferBlock(TBitmap32& dst, TRect dst_area, const TBitmap32& src, std::int32_t src_x,
                   std::int32_t src_y, TDrawMode mode, const TPixelCombineEvent& handler);

// src drawn into dst_rect of dst by its own filter, mode and handler, then
// dst's NotifyChanged; nothing when either bitmap is empty.
void CopyOnto(TBitmap32& src, TBitmap32& dst, TRect dst_rect);

// Pixel combiner that makes opaque white see-through: when F is exactly
// 0xFFFFFFFF, B is left unchanged; any other F replaces B whole, alpha
// included; M is ignored. A dmCustom transfer whose handler is this very
// function runs it as an inlined row loop instead of one call per pixel.
void TransparentWhiteCombine(TColor32 F, TColor32& B, TColor32 M);

// True when handler holds TransparentWhiteCombine itself.
bool IsTransparentWhiteCombine(const TPixelCombineEvent& handler);

}  // namespace gradoir
