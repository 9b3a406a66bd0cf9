#include "behaviours/qc_bot_joint.h"

#include "behaviours/bot_common.h"
#include "engine/service/qc_log.h"

#include <cmath>

namespace QOR {

namespace {

constexpr float kPi = 3.1415927f;

}  // namespace

QC_BOT_RIGID_JOINT::QC_BOT_RIGID_JOINT(QS_TRANSFORM3* moving, QS_TRANSFORM3* anchor, float lifetime, float delay)
    : _moving(moving),
      _anchor(anchor),
      _lifetime(lifetime),
      _endless(lifetime == 0.0f),
      _delayLeft(delay),
      _offset(moving->_position - anchor->_position),
      _endCallback(nullptr) {
  fInitBot(*this, "bot_rigid_joint");
}

int QC_BOT_RIGID_JOINT::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  return fBotMessage(id, d, _endCallback, [this] { return fStep(); });
}

int QC_BOT_RIGID_JOINT::fStep() {
  bool delayEnded = false;
  if (!fCountDelay(_delayLeft, delayEnded)) {
    _offset = _moving->_position - _anchor->_position;
    return kGoOn;
  }
  if (_lifetime <= 0.0f && !_endless) {
    fLog("QC_BOT_RIGID_JOINT killed");
    fFireEndCallback(_endCallback);
    return kDeleteMe;
  }
  _moving->_position = _anchor->_position + _offset;
  _lifetime -= fBotDelta();
  return kGoOn;
}

QC_BOT_DISTANCE_JOINT::QC_BOT_DISTANCE_JOINT(QS_TRANSFORM3* moving, QS_TRANSFORM3* anchor, float lifetime,
                                             float delay)
    : _moving(moving),
      _anchor(anchor),
      _lifetime(lifetime),
      _endless(lifetime == 0.0f),
      _delayLeft(delay),
      _distance(0.0f),
      _angle(0.0f),
      _endCallback(nullptr) {
  fInitBot(*this, "bot_distance_joint");
  fCapture();
}

float QC_BOT_DISTANCE_JOINT::fPolarAngle(float x, float y) {
  if (x > 0.0f) {
    const float angle = std::atan(y / x);
    return y < 0.0f ? angle + 2.0f * kPi : angle;
  }
  if (x < 0.0f) return std::atan(y / x) + kPi;
  if (y > 0.0f) return kPi / 2.0f;
  if (y < 0.0f) return 3.0f * kPi / 2.0f;
  return 0.0f;
}

void QC_BOT_DISTANCE_JOINT::fCapture() {
  const float x = _moving->_position.x - _anchor->_position.x;
  const float y = _moving->_position.y - _anchor->_position.y;
  _distance = std::sqrt(x * x + y * y);
  _angle = fPolarAngle(x, y);
}

int QC_BOT_DISTANCE_JOINT::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  return fBotMessage(id, d, _endCallback, [this] { return fStep(); });
}

int QC_BOT_DISTANCE_JOINT::fStep() {
  bool delayEnded = false;
  if (!fCountDelay(_delayLeft, delayEnded)) {
    fCapture();
    return kGoOn;
  }
  if (_lifetime <= 0.0f && !_endless) {
    fLog("QC_BOT_DISTANCE_JOINT killed");
    fFireEndCallback(_endCallback);
    return kDeleteMe;
  }
  const float angle = fPolarAngle(_moving->_position.x - _anchor->_position.x,
                                  _moving->_position.y - _anchor->_position.y);
  _moving->fSetPosition(_anchor->_position.x + _distance * std::cos(angle),
                        _anchor->_position.y + _distance * std::sin(angle), 0.0f);
  _lifetime -= fBotDelta();
  return kGoOn;
}

}  // namespace QOR
