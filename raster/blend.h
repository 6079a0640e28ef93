#pragma once
// Channel mixing of two Color32 values with an 8-bit weight. Every place of
// the engine that mixes colours goes through the table below, which is set
// once at start-up (initBlendFunctions) and only read afterwards.
//
// Channel formula, for each of A, R, G, B alike:
//   result = (W * X + (256 - W) * Y + 128) >> 8
#include <cstdint>

#include "raster/types.h"

namespace gradoir {

struct BlendFunctions {
  // Channel formula of X, Y, W with no special case.
  Color32 (*mixWeighted)(Color32 X, Color32 Y, std::uint32_t W);
  // W = 0: B unchanged; W = 255: B := F; else B := formula(F, B, W).
  void (*mixWeightedInto)(Color32 F, Color32& B, std::uint32_t W);
  // A = alpha(F). A = 0: unchanged; A = 255: B := F; else formula(F, B, A).
  void (*blendOverInto)(Color32 F, Color32& B);
  // W = ((M + 1) * A) >> 8; A = 0 or W = 0: unchanged; else formula(F, B, W).
  void (*blendOverScaledInto)(Color32 F, Color32& B, std::uint32_t M);
  // blendOverInto for each of Count pixels; Count <= 0 does nothing.
  void (*blendRow)(const Color32* Src, Color32* Dst, std::int32_t count);
  // W = ((A + 1) * M) >> 8 per pixel; A = 0 or W = 0: skip.
  void (*blendRowScaled)(const Color32* Src, Color32* Dst, std::int32_t count, std::uint32_t M);
};

// The table in force. Filled by initBlendFunctions, which runs before main
// through a static initialiser and may be called again harmlessly.
extern BlendFunctions blend;
void initBlendFunctions();

// End of a run of packed-integer work. The implementation keeps no packed
// processor state, so this does nothing; callers still mark the place.
inline void clearBlendState() {}

inline Color32 mixWeighted(Color32 X, Color32 Y, std::uint32_t W) { return blend.mixWeighted(X, Y, W); }
inline void mixWeightedInto(Color32 F, Color32& B, std::uint32_t W) { blend.mixWeightedInto(F, B, W); }
inline void blendOverInto(Color32 F, Color32& B) { blend.blendOverInto(F, B); }
inline void blendOverScaledInto(Color32 F, Color32& B, std::uint32_t M) { blend.blendOverScaledInto(F, B, M); }
inline void blendRow(const Color32* Src, Color32* Dst, std::int32_t count) { blend.blendRow(Src, Dst, count); }
inline void blendRowScaled(const Color32* Src, Color32* Dst, std::int32_t count, std::uint32_t M) {
  blend.blendRowScaled(Src, Dst, count, M);
}

}  // namespace gradoir
