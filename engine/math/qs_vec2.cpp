#include "engine/math/qs_vec2.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/math/turn_angle.h"
#include "engine/util/text_utils.h"

namespace QOR {

namespace {

constexpr float kPi = 3.1415927f;

// Big enough for two "%.3f" numbers of any magnitude (at most 44 characters each) and a blank.
char gVec2Text[192];

}  // namespace

float QS_VEC2::fLength() const { return std::sqrt(x * x + y * y); }

float QS_VEC2::fNormalize() {
  const float length = fLength();
  if (length == 0.0f) return 0.0f;
  x /= length;
  y /= length;
  return length;
}

float QS_VEC2::fGetAngle() const {
  if (x > 0.0f) {
    const float angle = std::atan(y / x);
    return y >= 0.0f ? angle : angle + 2.0f * kPi;
  }
  if (x < 0.0f) return std::atan(y / x) + kPi;
  if (y > 0.0f) return kPi / 2.0f;
  if (y < 0.0f) return 3.0f * kPi / 2.0f;
  return 0.0f;
}

float QS_VEC2::fAngleTo(const QS_VEC2& o) const {
  return fTurnAngle(fDot(o), fLength() * o.fLength(), x * o.y - y * o.x);
}

const char* QS_VEC2::fToString() const {
  std::snprintf(gVec2Text, sizeof(gVec2Text), "%.*f %.*f", 3, static_cast<double>(x), 3,
                static_cast<double>(y));
  return gVec2Text;
}

// strtof reads like atof in the C locale but lands straight in a float, so text beyond the
// float range gives +-inf instead of an out-of-range narrowing.
void QS_VEC2::fFromString(const std::string& text) {
  const std::vector<std::string> pieces = fSplitString(text, ' ', true);
  if (pieces.size() < 2) return;
  x = std::strtof(pieces[0].c_str(), nullptr);
  y = std::strtof(pieces[1].c_str(), nullptr);
}

}  // namespace QOR
