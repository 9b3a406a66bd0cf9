#include "behaviours/qc_bot_move_bezier.h"

#include "behaviours/bot_common.h"
#include "engine/math/bezier.h"
#include "engine/service/qc_log.h"

namespace QOR {

QS_CURVE_RUN::QS_CURVE_RUN(QS_TRANSFORM3* target, float duration, float speed, float delay)
    : _target(target),
      _givenDuration(duration),
      _givenSpeed(speed),
      _duration(duration),
      _speed(speed),
      _remaining(duration),
      _t(0.0f),
      _delayLeft(delay),
      _endCallback(nullptr) {}

QS_CURVE_RUN::QE_PHASE QS_CURVE_RUN::fBegin() {
  bool delayEnded = false;
  if (!fCountDelay(_delayLeft, delayEnded)) return delayEnded ? QE_PHASE::kSetUp : QE_PHASE::kWait;
  return _remaining > 0.0f ? QE_PHASE::kMove : QE_PHASE::kEnd;
}

void QS_CURVE_RUN::fResolve(const QS_VEC3& start, const QS_VEC3& end) {
  _duration = _givenDuration;
  _speed = _givenSpeed;
  fResolveDurationSpeed(_duration, _speed, (end - start).fLength());
  _remaining = _duration;
  _t = 0.0f;
}

// A positive remaining time means a positive duration, so the step of t is defined.
template <typename Curve>
void QS_CURVE_RUN::fMove(Curve curve) {
  const float dt = fBotDelta();
  const float dtOverDuration = dt / _duration;
  _target->_position += curve(_t + dtOverDuration) - curve(_t);
  _t += dtOverDuration;
  _remaining -= dt;
}

QC_BOT_MOVE_BEZIER::QC_BOT_MOVE_BEZIER(QS_TRANSFORM3* target, const std::vector<QS_VEC3>& points, const QS_VEC3& end,
                                       float duration, float speed, float delay)
    : _run(target, duration, speed, delay), _given(points), _end(end) {
  fInitBot(*this, "bot_move_bezier");
  if (delay <= 0.0f) fSetUp();
}

void QC_BOT_MOVE_BEZIER::fSetUp() {
  const QS_VEC3 start = _run._target->_position;
  _curve.clear();
  _curve.push_back(start);
  _curve.insert(_curve.end(), _given.begin(), _given.end());
  _curve.push_back(_end);
  _run.fResolve(start, _end);
}

int QC_BOT_MOVE_BEZIER::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  if (id == kMessageUpdate) return fStep();
  if (id == kMessageEndCallback) _run._endCallback = fArgToPointer<QC_CALLBACK>(d);
  return kGoOn;
}

int QC_BOT_MOVE_BEZIER::fStep() {
  switch (_run.fBegin()) {
    case QS_CURVE_RUN::QE_PHASE::kWait:
      return kGoOn;
    case QS_CURVE_RUN::QE_PHASE::kSetUp:
      fSetUp();
      return kGoOn;
    case QS_CURVE_RUN::QE_PHASE::kEnd:
      fLog("QC_BOT_MOVE_BEZIER killed");
      fFireEndCallback(_run._endCallback);
      return kDeleteMe;
    case QS_CURVE_RUN::QE_PHASE::kMove:
      break;
  }
  _run.fMove([this](float t) {
    QS_VEC3 point;
    fBezierVec3List(point, _curve, t);
    return point;
  });
  return kGoOn;
}

QC_BOT_MOVE_QUADBEZIER::QC_BOT_MOVE_QUADBEZIER(QS_TRANSFORM3* target, const QS_VEC3& control, const QS_VEC3& end,
                                               float duration, float speed, float delay)
    : _run(target, duration, speed, delay), _control(control), _end(end) {
  fInitBot(*this, "bot_move_quadbezier");
  if (delay <= 0.0f) {
    _start = target->_position;
    _run.fResolve(_start, _end);
  }
}

int QC_BOT_MOVE_QUADBEZIER::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  if (id == kMessageUpdate) return fStep();
  if (id == kMessageEndCallback) _run._endCallback = fArgToPointer<QC_CALLBACK>(d);
  return kGoOn;
}

int QC_BOT_MOVE_QUADBEZIER::fStep() {
  switch (_run.fBegin()) {
    case QS_CURVE_RUN::QE_PHASE::kWait:
      return kGoOn;
    case QS_CURVE_RUN::QE_PHASE::kSetUp:
      _start = _run._target->_position;
      _run.fResolve(_start, _end);
      return kGoOn;
    case QS_CURVE_RUN::QE_PHASE::kEnd:
      fLog("QC_BOT_MOVE_QUADBEZIER killed");
      _run._target->_position = _end;
      fFireEndCallback(_run._endCallback);
      return kDeleteMe;
    case QS_CURVE_RUN::QE_PHASE::kMove:
      break;
  }
  _run.fMove([this](float t) { return fQuadBezierVec3(_start, _control, _end, t); });
  return kGoOn;
}

QC_BOT_MOVE_CUBEBEZIER::QC_BOT_MOVE_CUBEBEZIER(QS_TRANSFORM3* target, const QS_VEC3& control1,
                                               const QS_VEC3& control2, const QS_VEC3& end, float duration,
                                               float speed, float delay)
    : _run(target, duration, speed, delay), _control1(control1), _control2(control2), _end(end) {
  fInitBot(*this, "bot_move_cubebezier");
  if (delay <= 0.0f) {
    _start = target->_position;
    _run.fResolve(_start, _end);
  }
}

int QC_BOT_MOVE_CUBEBEZIER::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  if (id == kMessageUpdate) return fStep();
  if (id == kMessageEndCallback) _run._endCallback = fArgToPointer<QC_CALLBACK>(d);
  return kGoOn;
}

int QC_BOT_MOVE_CUBEBEZIER::fStep() {
  switch (_run.fBegin()) {
    case QS_CURVE_RUN::QE_PHASE::kWait:
      return kGoOn;
    case QS_CURVE_RUN::QE_PHASE::kSetUp:
      _start = _run._target->_position;
      _run.fResolve(_start, _end);
      return kGoOn;
    case QS_CURVE_RUN::QE_PHASE::kEnd:
      fLog("QC_BOT_MOVE_CUBEBEZIER killed");
      fFireEndCallback(_run._endCallback);
      return kDeleteMe;
    case QS_CURVE_RUN::QE_PHASE::kMove:
      break;
  }
  _run.fMove([this](float t) { return fCubicBezierVec3(_start, _control1, _control2, _end, t); });
  return kGoOn;
}

}  // namespace QOR
