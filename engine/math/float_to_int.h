// Float-to-int truncation that data cannot turn into undefined behaviour.
#pragma once

#include <climits>
#include <cmath>

namespace QOR {

// Truncates toward zero; values beyond the int range saturate at INT_MIN or INT_MAX and NaN
// gives 0.
inline int fTruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483648.0) return INT_MAX;
  if (value <= -2147483649.0) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace QOR
