#include "engine/math/qs_point.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/util/text_utils.h"

namespace QOR {

namespace {

// Two "%.3i" numbers of any int (at most 11 characters each) and a blank.
char gPointText[64];

// Two's-complement results, computed unsigned so overflow wraps instead of being undefined.
int fWrap(std::uint32_t value) { return static_cast<int>(value); }
std::uint32_t fBits(int value) { return static_cast<std::uint32_t>(value); }

int fDivide(int a, int b) {
  if (b == 0) return 0;
  if (b == -1) return fWrap(0u - fBits(a));  // INT_MIN / -1 wraps back to INT_MIN
  return a / b;
}

// Reads an integer as atoi does, but saturates out-of-range text at INT_MIN or INT_MAX.
int fToInt(const std::string& text) {
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

QS_POINT QS_POINT::operator-() const { return QS_POINT(fWrap(0u - fBits(x)), fWrap(0u - fBits(y))); }

QS_POINT QS_POINT::operator+(const QS_POINT& o) const {
  return QS_POINT(fWrap(fBits(x) + fBits(o.x)), fWrap(fBits(y) + fBits(o.y)));
}

QS_POINT QS_POINT::operator-(const QS_POINT& o) const {
  return QS_POINT(fWrap(fBits(x) - fBits(o.x)), fWrap(fBits(y) - fBits(o.y)));
}

QS_POINT QS_POINT::operator*(const QS_POINT& o) const {
  return QS_POINT(fWrap(fBits(x) * fBits(o.x)), fWrap(fBits(y) * fBits(o.y)));
}

QS_POINT QS_POINT::operator/(const QS_POINT& o) const { return QS_POINT(fDivide(x, o.x), fDivide(y, o.y)); }

// The difference of the two Euclidean lengths, in double so the squares cannot overflow; the
// largest possible difference (about 3.04e9) is clamped to INT_MAX.
int QS_POINT::fLengthDifference(const QS_POINT& o) const {
  const double own = std::hypot(static_cast<double>(x), static_cast<double>(y));
  const double other = std::hypot(static_cast<double>(o.x), static_cast<double>(o.y));
  const double difference = std::fabs(own - other);
  return difference >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(difference);
}

const char* QS_POINT::fToString() const {
  std::snprintf(gPointText, sizeof(gPointText), "%.*i %.*i", 3, x, 3, y);
  return gPointText;
}

void QS_POINT::fFromString(const std::string& text) {
  const std::vector<std::string> pieces = fSplitString(text, ' ', true);
  if (pieces.size() < 2) return;
  x = fToInt(pieces[0]);
  y = fToInt(pieces[1]);
}

}  // namespace QOR
