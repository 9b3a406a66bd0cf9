#include "engine/math/qs_transform3.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/math/float_to_int.h"
#include "engine/util/text_utils.h"

namespace QOR {

namespace {

// Twelve "%.3f" numbers of any float magnitude (at most 44 characters each) and eleven blanks.
char gTransformText[640];

// Parent chains up to this length are checked for repeats by a linear search; longer ones use a
// hash set so that a pathological chain stays linear in time.
constexpr std::size_t kLinearChainCheck = 32;

// The transforms from t up its parent chain, t first, ending at the first one without a parent
// or at the last one before the chain would come back to a transform already listed.
std::vector<const QS_TRANSFORM3*> fParentChain(const QS_TRANSFORM3* t) {
  std::vector<const QS_TRANSFORM3*> chain;
  std::unordered_set<const QS_TRANSFORM3*> seen;
  chain.push_back(t);
  for (const QS_TRANSFORM3* p = t->_parent; p != nullptr; p = p->_parent) {
    if (chain.size() < kLinearChainCheck) {
      if (std::find(chain.begin(), chain.end(), p) != chain.end()) break;
    } else {
      if (seen.empty()) seen.insert(chain.begin(), chain.end());
      if (!seen.insert(p).second) break;
    }
    chain.push_back(p);
  }
  return chain;
}

}  // namespace

QS_TRANSFORM3::QS_TRANSFORM3()
    : _leadingWord(0), _pivot(0.0f), _rotation(0.0f), _scale(1.0f), _position(0.0f), _parent(nullptr) {}

QS_TRANSFORM3::QS_TRANSFORM3(const QS_TRANSFORM3& other)
    : _leadingWord(0),
      _pivot(other._pivot),
      _rotation(other._rotation),
      _scale(other._scale),
      _position(other._position),
      _parent(other._parent) {}

// strtof reads like atof in the C locale but lands straight in a float, so text beyond the float
// range gives +-inf instead of an out-of-range narrowing.
QS_TRANSFORM3::QS_TRANSFORM3(const char* text) : QS_TRANSFORM3() {
  if (text == nullptr) return;
  const std::vector<std::string> pieces = fSplitString(text, ' ', true);
  if (pieces.size() < 12) return;
  float v[12];
  for (int i = 0; i < 12; ++i) v[i] = std::strtof(pieces[i].c_str(), nullptr);
  _position.fSet(v[0], v[1], v[2]);
  _pivot.fSet(v[3], v[4], v[5]);
  _rotation.fSet(v[6], v[7], v[8]);
  _scale.fSet(v[9], v[10], v[11]);
  _parent = nullptr;
}

// Each parent's world is the parent with its own complete parent world applied, so the chain is
// folded from its top down with all flags clear; the caller's flags act on the last step only.
QS_TRANSFORM3 QS_TRANSFORM3::fGetWorld(bool skipPosition, bool skipRotation, bool skipScale) const {
  QS_TRANSFORM3 result;
  result = *this;
  if (_parent == nullptr) return result;
  const std::vector<const QS_TRANSFORM3*> chain = fParentChain(this);
  if (chain.size() < 2) return result;  // the transform is its own parent
  QS_TRANSFORM3 world;
  world = *chain.back();
  for (std::size_t k = chain.size() - 2; k >= 1; --k) {
    QS_TRANSFORM3 step;
    step = *chain[k];
    step.fApplyParent(world, false, false, false);
    world = step;
  }
  result.fApplyParent(world, skipPosition, skipRotation, skipScale);
  return result;
}

void QS_TRANSFORM3::fApplyParent(QS_TRANSFORM3 parent, bool skipPosition, bool skipRotation, bool skipScale) {
  if (!skipScale) {
    _scale *= parent._scale;
    _position.x *= parent._scale.x;
    _position.y *= parent._scale.y;
  }
  if (!skipPosition) {
    _position.x += parent._position.x;
    _position.y += parent._position.y;
  }
  if (!skipRotation) {
    fRotatePointInPlace(parent._position.x, parent._position.y, _position.x, _position.y, parent._rotation.z);
    _rotation += parent._rotation;
  }
}

QS_TRANSFORM3& QS_TRANSFORM3::fCombine(QS_TRANSFORM3 parent) {
  _position.x += parent._position.x;
  _position.y += parent._position.y;
  fRotatePointInPlace(parent._position.x, parent._position.y, _position.x, _position.y, parent._rotation.z);
  _scale *= parent._scale;
  _rotation += parent._rotation;
  return *this;
}

const char* QS_TRANSFORM3::fToString() const {
  std::snprintf(gTransformText, sizeof(gTransformText),
                "%.*f %.*f %.*f %.*f %.*f %.*f %.*f %.*f %.*f %.*f %.*f %.*f",  //
                3, static_cast<double>(_position.x), 3, static_cast<double>(_position.y), 3,
                static_cast<double>(_position.z),  //
                3, static_cast<double>(_pivot.x), 3, static_cast<double>(_pivot.y), 3,
                static_cast<double>(_pivot.z),  //
                3, static_cast<double>(_rotation.x), 3, static_cast<double>(_rotation.y), 3,
                static_cast<double>(_rotation.z),  //
                3, static_cast<double>(_scale.x), 3, static_cast<double>(_scale.y), 3,
                static_cast<double>(_scale.z));
  return gTransformText;
}

// The subtraction runs position minus point: hit areas and point lists rely on that orientation.
void QS_TRANSFORM3::fToLocal(float& x, float& y, const QS_TRANSFORM3& t) {
  fRotatePointInPlace(t._position.x, t._position.y, x, y, -t._rotation.z);
  x = (t._position.x - x + t._pivot.x) * t._scale.x;
  y = (t._position.y - y + t._pivot.y) * t._scale.y;
}

// Unlike fToLocal this runs point minus position, the natural local offset, and ignores the
// scale; nothing in the engine depends on it.
QS_POINT QS_TRANSFORM3::fToLocalInt(QS_POINT p, const QS_TRANSFORM3& t) {
  fRotateIntPoint(t._position.x, t._position.y, p, -t._rotation.z);
  p.x = fTruncateToInt(static_cast<double>(static_cast<float>(p.x) - t._position.x + t._pivot.x));
  p.y = fTruncateToInt(static_cast<double>(static_cast<float>(p.y) - t._position.y + t._pivot.y));
  return p;
}

QS_VEC2 QS_TRANSFORM3::fRotatePoint(float cx, float cy, float x, float y, float a) {
  if (a == 0.0f) return QS_VEC2(x, y);
  const double c = std::cos(static_cast<double>(a));
  const double s = std::sin(static_cast<double>(a));
  const double dx = static_cast<double>(x) - static_cast<double>(cx);
  const double dy = static_cast<double>(y) - static_cast<double>(cy);
  return QS_VEC2(static_cast<float>(static_cast<double>(cx) + dx * c - dy * s),
                 static_cast<float>(static_cast<double>(cy) + dy * c + dx * s));
}

void QS_TRANSFORM3::fRotatePointInPlace(float cx, float cy, float& x, float& y, float a) {
  if (a == 0.0f) return;
  const float c = std::cos(a);
  const float s = std::sin(a);
  const float dx = x - cx;
  const float dy = y - cy;
  x = cx + dx * c - dy * s;
  y = cy + dy * c + dx * s;
}

void QS_TRANSFORM3::fRotateIntPoint(float cx, float cy, QS_POINT& p, float a) {
  if (a == 0.0f) return;
  float x = static_cast<float>(p.x);
  float y = static_cast<float>(p.y);
  fRotatePointInPlace(cx, cy, x, y, a);
  p.x = fTruncateToInt(static_cast<double>(x));
  p.y = fTruncateToInt(static_cast<double>(y));
}

QS_VEC3 QS_TRANSFORM3::fGetZeroVec3(const QS_VEC3&) { return QS_VEC3(0.0f); }

}  // namespace QOR
