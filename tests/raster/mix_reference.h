#pragma once
// The channel formula written out plainly, one channel at a time, as the
// yardstick for the packed blend and for the drawing tests.
#include <cstdint>

namespace gradoir::test {

inline std::uint32_t referenceChannel(std::uint32_t x, std::uint32_t y, std::uint32_t w) {
  return (w * x + (256 - w) * y + 128) / 256;
}

inline std::uint32_t referenceMix(std::uint32_t x, std::uint32_t y, std::uint32_t w) {
  std::uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    result |= referenceChannel((x >> shift) & 0xFF, (y >> shift) & 0xFF, w) << shift;
  }
  return result;
}

}  // namespace gradoir::test
