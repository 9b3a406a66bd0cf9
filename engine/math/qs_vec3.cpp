#include "engine/math/qs_vec3.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/math/turn_angle.h"
#include "engine/util/text_utils.h"

namespace QOR {

namespace {

// Big enough for three "%.3f" numbers of any magnitude (at most 44 characters each) and two blanks.
char gVec3Text[256];

}  // namespace

float QS_VEC3::fLength() const { return std::sqrt(x * x + y * y + z * z); }

float QS_VEC3::fNormalize() {
  const float length = fLength();
  if (length == 0.0f) return 0.0f;
  x /= length;
  y /= length;
  z /= length;
  return length;
}

float QS_VEC3::fLengthDifference(const QS_VEC3& o) const { return std::fabs(fLength() - o.fLength()); }

float QS_VEC3::fMax() const { return std::max(std::max(x, y), z); }

float QS_VEC3::fMin() const { return std::min(std::min(x, y), z); }

// As QS_VEC2::fAngleTo, with the turn direction read from the z component of this x o, so that
// vectors in the xy plane give the same angle as their QS_VEC2 counterparts.
float QS_VEC3::fAngleTo(const QS_VEC3& o) const {
  return fTurnAngle(fDot(o), fLength() * o.fLength(), x * o.y - y * o.x);
}

const char* QS_VEC3::fToString() const {
  std::snprintf(gVec3Text, sizeof(gVec3Text), "%.*f %.*f %.*f", 3, static_cast<double>(x), 3,
                static_cast<double>(y), 3, static_cast<double>(z));
  return gVec3Text;
}

// strtof reads like atof in the C locale but lands straight in a float, so text beyond the
// float range gives +-inf instead of an out-of-range narrowing.
void QS_VEC3::fFromString(const std::string& text) {
  const std::vector<std::string> pieces = fSplitString(text, ' ', true);
  if (pieces.size() < 3) return;
  x = std::strtof(pieces[0].c_str(), nullptr);
  y = std::strtof(pieces[1].c_str(), nullptr);
  z = std::strtof(pieces[2].c_str(), nullptr);
}

}  // namespace QOR
