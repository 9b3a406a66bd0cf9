#include "gui/widgets/qc_baseslider.h"

#include "engine/math/float_to_int.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "gui/base/qc_gui_input.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace QOR {

namespace {

constexpr int kMouseButton = 1;

// a + b without overflow: ends far out on the screen saturate at the int range.
int fAddSaturated(int a, long long b) {
  const long long sum = a + b;
  return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

}  // namespace

QC_BASESLIDER::QC_BASESLIDER(int id, float knobSize, float buttonDistance)
    : QC_GUI_OBJECT(id),
      _knobOffset(knobSize * buttonDistance),
      _minimum(0.0f),
      _maximum(100.0f),
      _step(1.0f),
      _value(0.0f),
      _knobSize(knobSize) {
  _typeCode = 10;
  fMakeParts(kDefaultRadius);
  fSetEnds(-50.0f, 0.0f, 50.0f, 0.0f);
}

QC_BASESLIDER::QC_BASESLIDER(int id, QS_VEC2 start, QS_VEC2 end, float knobSize, float radius, float buttonDistance,
                             float minimum, float maximum, float step, float value)
    : QC_GUI_OBJECT(id),
      _knobOffset(knobSize * buttonDistance),
      _minimum(minimum),
      _maximum(maximum),
      _step(step),
      _value(value),
      _knobSize(knobSize) {
  _typeCode = 10;
  fFitEnds(start, end, knobSize);
  fMakeParts(radius);
  fSetEnds(start.x, start.y, end.x, end.y);
}

QC_BASESLIDER::~QC_BASESLIDER() {
  for (int i = 0; i < 3; ++i) {
    delete _hitAreas[i];
    delete _parts[i];
  }
}

void QC_BASESLIDER::fMakeParts(float radius) {
  for (int i = 0; i < 3; ++i) {
    _parts[i] = new QS_TRANSFORM3();
    _parts[i]->fSetParent(_transform);
    _hitAreas[i] = new QC_HIT_AREA(QC_HIT_AREA::kCircle, _parts[i], radius, 0.0f, 0, 0);
  }
}

void QC_BASESLIDER::fFitEnds(QS_VEC2& start, QS_VEC2& end, float knobSize) {
  QS_VEC2 d = end - start;
  d.fNormalize();
  start += d * (knobSize / 2.0f);
  end -= d * (knobSize / 2.0f);
  const QS_VEC2 middle = (start + end) / 2.0f;
  _transform->_position.x = middle.x;
  _transform->_position.y = middle.y;
  start -= middle;
  end -= middle;
}

void QC_BASESLIDER::fSetEnds(float x1, float y1, float x2, float y2) {
  _parts[kEnd1]->fSetPosition(x1, y1, 0.0f);
  _parts[kEnd2]->fSetPosition(x2, y2, 0.0f);
  _direction = QS_VEC2(x2 - x1, y2 - y1);
  _direction.fNormalize();
  fComputeRect();
  fSetRange(_minimum, _maximum);
}

void QC_BASESLIDER::fComputeRect() {
  const QS_VEC2 a = fGetEnd1();
  const QS_VEC2 b = fGetEnd2();
  const int r = fTruncateToInt(_hitAreas[kEnd1]->fGetWidth());
  _rectLeft = fAddSaturated(fTruncateToInt(std::min(a.x, b.x)), -static_cast<long long>(r));
  _rectTop = fAddSaturated(fTruncateToInt(std::min(a.y, b.y)), -static_cast<long long>(r));
  _rectRight = fAddSaturated(fTruncateToInt(std::max(a.x, b.x)), r);
  _rectBottom = fAddSaturated(fTruncateToInt(std::max(a.y, b.y)), r);
}

void QC_BASESLIDER::fSetRange(float minimum, float maximum) {
  _minimum = minimum;
  _maximum = maximum;
  const QS_VEC2 v = fGetEnd2() - fGetEnd1();
  const float length = v.fLength();
  // An empty or unbounded range, or a track of no length, has no pixels per value unit: the knob
  // then rests at its lowest place.
  const float span = std::fabs(maximum - minimum);
  const bool hasScale = span > 0.0f && std::isfinite(span) && std::isfinite(length);
  const float scale = hasScale ? (length - 2.0f * _knobOffset) / span : 0.0f;
  const QS_VEC2 u = length > 0.0f && std::isfinite(length) ? v / length : QS_VEC2(0.0f, 0.0f);
  _offsetVector = u * _knobOffset;
  _scaleVector = std::isfinite(scale) ? u * scale : QS_VEC2(0.0f, 0.0f);
  fSetValue(_value);
}

void QC_BASESLIDER::fSetValue(float v) {
  _value = std::isnan(v) ? _minimum : v;
  if (_value > _maximum) _value = _maximum;
  if (_value < _minimum) _value = _minimum;
  QS_VEC2 knob = fGetEnd1() + _offsetVector;
  if (!_scaleVector.isZero()) {
    const QS_VEC2 along = _scaleVector * (_value - _minimum);
    if (std::isfinite(along.x) && std::isfinite(along.y)) knob += along;
  }
  _parts[kKnob]->_position.x = knob.x;
  _parts[kKnob]->_position.y = knob.y;
}

void QC_BASESLIDER::fSetRadius(float r) {
  for (QC_HIT_AREA* area : _hitAreas) area->fSetWidth(r);
  fComputeRect();
  fSetRange(_minimum, _maximum);
}

float QC_BASESLIDER::fGetLength() const { return (fGetEnd2() - fGetEnd1()).fLength() + _knobSize; }

QS_GUI_EVENT* QC_BASESLIDER::fUpdate() {
  _pair._event = QE_GUI_NONE;
  float mx = 0.0f;
  float my = 0.0f;
  QC_GUI_INPUT::fGetMousePosF(&mx, &my);
  if (fUpdateEnd(kEnd1, _hitAreas[kEnd1]->isPointInside(mx, my), _states[kEnd2] == kIdle && _states[kKnob] == kIdle,
                 -1)) {
    return &_pair;
  }
  if (fUpdateEnd(kEnd2, _hitAreas[kEnd2]->isPointInside(mx, my), _states[kKnob] == kIdle, 1)) return &_pair;
  return fUpdateKnob(_hitAreas[kKnob]->isPointInside(mx, my));
}

bool QC_BASESLIDER::fUpdateEnd(int part, bool over, bool mayHover, int stepSign) {
  int& state = _states[part];
  switch (state) {
    case kIdle:
      if (over && mayHover) {
        _pair._event = QE_GUI_ENTER;
        state = kHovered;
      }
      return false;
    case kHovered:
      if (over && QC_GUI_INPUT::isPressed(kMouseButton)) {
        _pair._event = QE_GUI_DOWN;
        state = kHeld;
        _held = true;
        return true;
      }
      if (!over) {
        _pair._event = QE_GUI_LEAVE;
        state = kIdle;
        _held = false;
      }
      return false;
    case kHeld:
      // A held end button keeps the update until the release; the step happens only when the
      // button comes up over it.
      _pair._event = QE_GUI_NONE;
      if (QC_GUI_INPUT::isReleased(kMouseButton)) {
        _held = false;
        state = kHovered;
        if (over) {
          fStepBy(stepSign);
          _pair._event = QE_GUI_CHANGED;
        }
      }
      return true;
    default:
      return false;
  }
}

QS_GUI_EVENT* QC_BASESLIDER::fUpdateKnob(bool over) {
  int& state = _states[kKnob];
  switch (state) {
    case kIdle:
      if (over) {
        _pair._event = QE_GUI_ENTER;
        state = kHovered;
      }
      return nullptr;
    case kHovered:
      if (over && QC_GUI_INPUT::isPressed(kMouseButton)) {
        _pair._event = QE_GUI_DOWN;
        state = kHeld;
        _held = true;
        return &_pair;
      }
      if (!over) {
        _pair._event = QE_GUI_LEAVE;
        state = kIdle;
        _held = false;
      }
      return nullptr;
    case kHeld:
      if (_held) {
        _pair._event = QE_GUI_CHANGED;
        fDragStep();
      }
      if (QC_GUI_INPUT::isReleased(kMouseButton)) {
        _held = false;
        state = kHovered;
        // The knob jumps to the place of the snapped value.
        fSetValue(_value);
        _pair._event = QE_GUI_CHANGED;
      }
      return &_pair;
    default:
      return nullptr;
  }
}

void QC_BASESLIDER::fDragStep() {
  const QS_TRANSFORM3 world = _parts[kEnd1]->fGetWorld(false, false, false);
  float mx = 0.0f;
  float my = 0.0f;
  QC_GUI_INPUT::fGetMousePosF(&mx, &my);
  const QS_VEC2 m(mx - world._position.x, my - world._position.y);
  const QS_VEC2 end1 = fGetEnd1();
  const QS_VEC2 end2 = fGetEnd2();
  const QS_VEC2 d = end2 - end1;
  const float length = d.fLength();
  // The mouse projected on the track, kept between its two ends (a track of no length keeps the
  // knob at end 1).
  float p = 0.0f;
  if (length > 0.0f && std::isfinite(length)) {
    p = m.fDot(d) / length;
    if (!(p > 0.0f)) p = 0.0f;
    if (p > length) p = length;
  }
  QS_VEC2 knob = end1 + _direction * p;
  const float unitPixels = _scaleVector.fLength();
  float value = _minimum;
  if (unitPixels > 0.0f) value = _minimum + ((knob - end1).fLength() - _knobOffset) / unitPixels;
  value = fSnap(value);
  if (value > _maximum - _step) {
    value = _maximum;
    knob = end2 - _offsetVector;
  }
  if (value < _minimum + _step) {
    value = _minimum;
    knob = end1 + _offsetVector;
  }
  _value = value;
  _parts[kKnob]->_position.x = knob.x;
  _parts[kKnob]->_position.y = knob.y;
}

float QC_BASESLIDER::fSnap(float raw) const {
  if (std::isnan(raw)) return _minimum;
  if (std::isinf(raw)) return raw > 0.0f ? _maximum : _minimum;
  double v = std::floor(static_cast<double>(raw));
  const double whole = std::trunc(static_cast<double>(_step));
  if (whole != 0.0 && std::isfinite(whole)) {
    // The remainder by the whole part of the step takes the sign of the value, so negative values
    // snap toward zero. Done in doubles: no integer overflow for values beyond the int range.
    v -= std::fmod(v, whole);
  } else if (_step != 0.0f && std::isfinite(_step)) {
    // A step below one would make the whole-step remainder a division by zero: the raw value is
    // floored to a multiple of the step instead.
    const double s = std::fabs(static_cast<double>(_step));
    v = std::floor(static_cast<double>(raw) / s) * s;
  }
  return static_cast<float>(v);
}

void QC_BASESLIDER::fDrawDebug() {
  if (qcRENDER == nullptr) return;
  static constexpr std::uint32_t kColours[3] = {0xFF0000FFu, 0xFFFF0000u, 0xFF00FF00u};
  for (int i = 0; i < 3; ++i) {
    const int x = fTruncateToInt(_parts[i]->_position.x);
    const int y = fTruncateToInt(_parts[i]->_position.y);
    const int r = fTruncateToInt(_hitAreas[i]->fGetWidth());
    const float side = static_cast<float>(_states[i] + 1);
    for (int a = 0; a < 90; ++a) {
      const double angle = static_cast<double>(a);
      qcRENDER->fDrawSquare(fTruncateToInt(x + r * std::sin(angle)), fTruncateToInt(y + r * std::cos(angle)),
                            kColours[i], side);
    }
  }
  constexpr std::uint32_t kRed = 0xFFFF0000u;
  qcRENDER->fDrawLine(_rectLeft, _rectTop, _rectRight, _rectTop, kRed);
  qcRENDER->fDrawLine(_rectRight, _rectTop, _rectRight, _rectBottom, kRed);
  qcRENDER->fDrawLine(_rectRight, _rectBottom, _rectLeft, _rectBottom, kRed);
  qcRENDER->fDrawLine(_rectLeft, _rectBottom, _rectLeft, _rectTop, kRed);
}

}  // namespace QOR
