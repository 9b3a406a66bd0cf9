// Integer helpers of the bitmap font: sums of widths and heights from data are made in 64 bits
// and brought back into the int range by saturation, never by overflow.
#pragma once

#include <climits>
#include <cstdint>

namespace QOR {

inline int fClampToInt(std::int64_t value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace QOR
