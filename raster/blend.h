#pragma once
// Channel mixing of two TColor32 values with an 8-bit weight. Every place of
// the engine that mixes colours goes through the table below, which is set
// once at start-up (InitBlendFunctions) and only read afterwards.
//
// Channel formula, for each of A, R, G, B alike:
//   result = (W * X + (256 - W) * Y + 128) >> 8
#include <cstdint>

#include "raster/types.h"

namespace gradoir {

struct TBlendFunctions {
  // Channel formula of X, Y, W with no special case.
  TColor32 (*MixWeighted)(TColor32 X, TColor32 Y, std::uint32_t W);
  // W = 0: B unchanged; W = 255: B := F; else B := formula(F, B, W).
  void (*MixWeightedInto)(TColor32 F, TColor32& B, std::uint32_t W);
  // A = alpha(F). A = 0: unchanged; A = 255: B := F; else formula(F, B, A).
  void (*BlendOverInto)(TColor32 F, TColor32& B);
  // W = ((M + 1) * A) >> 8; A = 0 or W = 0: unchanged; else formula(F, B, W).
  void (*BlendOverScaledInto)(TColor32 F, TColor32& B, std::uint32_t M);
  // BlendOverInto for each of Count pixels; Count <= 0 does nothing.
  void (*BlendRow)(const TColor32* Src, TColor32* Dst, std::int32_t Count);
  // W = ((A + 1) * M) >> 8 per pixel; A = 0 or W = 0: skip.
  void (*BlendRowScaled)(const TColor32* Src, TColor32* Dst, std::int32_t Count, std::uint32_t M);
};

// The table in force. Filled by InitBlendFunctions, which runs before main
// through a static initialiser and may be called again harmlessly.
extern TBlendFunctions Blend;
void InitBlendFunctions();

// End of a run of packed-integer work. The implementation keeps no packed
// processor state, so this does nothing; callers still mark the place.
inline void ClearBlendState() {}

inline TColor32 MixWeighted(TColor32 X, TColor32 Y, std::uint32_t W) { return Blend.MixWeighted(X, Y, W); }
inline void MixWeightedInto(TColor32 F, TColor32& B, std::uint32_t W) { Blend.MixWeightedInto(F, B, W); }
inline void BlendOverInto(TColor32 F, TColor32& B) { Blend.BlendOverInto(F, B); }
inline void BlendOverScaledInto(TColor32 F, TColor32& B, std::uint32_t M) { Blend.BlendOverScaledInto(F, B, M); }
inline void BlendRow(const TColor32* Src, TColor32* Dst, std::int32_t Count) { Blend.BlendRow(Src, Dst, Count); }
inline void BlendRowScaled(const TColor32* Src, TColor32* Dst, std::int32_t Count, std::uint32_t M) {
  Blend.BlendRowScaled(Src, Dst, Count, M);
}

}  // namespace gradoir
