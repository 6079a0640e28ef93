#pragma once
// Scope guard that ends a run of blend-table work however the drawing ends,
// so that an exception thrown by a pixel handler cannot leave packed state
// behind for the floating-point code of the caller.
#include "raster/blend.h"

namespace gradoir {

class BlendStateGuard {
 public:
  BlendStateGuard() = default;
  BlendStateGuard(const BlendStateGuard&) = delete;
  BlendStateGuard& operator=(const BlendStateGuard&) = delete;
  ~BlendStateGuard() { clearBlendState(); }
};

}  // namespace gradoir
