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

template <typename SetUp, typename Curve>
int QS_CURVE_RUN::fStep(const char* endLine, SetUp setUp, Curve curve, const QS_VEC3* landing) {
  switch (fBegin()) {
    case QE_PHASE::kWait:
      return QC_BASE::kGoOn;
    case QE_PHASE::kSetUp:
      setUp();
      return QC_BASE::kGoOn;
    case QE_PHASE::kEnd:
      fLog(endLine);
      if (landing != nullptr) _target->_position = *landing;
      fFireEndCallback(_endCallback);
      return QC_BASE::kDeleteMe;
    case QE_PHASE::kMove:
      break;
  }
  fMove(curve);
  return QC_BASE::kGoOn;
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
  return fBotMessage(id, d, _run._endCallback, [this] { return fStep(); });
}

int QC_BOT_MOVE_BEZIER::fStep() {
  return _run.fStep("QC_BOT_MOVE_BEZIER killed", [this] { fSetUp(); }, [this](float t) {
    QS_VEC3 point;
    fBezierVec3List(point, _curve, t);
    return point;
  });
}

QC_BOT_MOVE_QUADBEZIER::QC_BOT_MOVE_QUADBEZIER(QS_TRANSFORM3* target, const QS_VEC3& control, const QS_VEC3& end,
                                               float duration, float speed, float delay)
    : _run(target, duration, speed, delay), _control(control), _end(end) {
  fInitBot(*this, "bot_move_quadbezier");
  if (delay <= 0.0f) _run.fStartFrom(_start, _end);
}

int QC_BOT_MOVE_QUADBEZIER::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  return fBotMessage(id, d, _run._endCallback, [this] { return fStep(); });
}

int QC_BOT_MOVE_QUADBEZIER::fStep() {
  return _run.fStep(
      "QC_BOT_MOVE_QUADBEZIER killed", [this] { _run.fStartFrom(_start, _end); },
      [this](float t) { return fQuadBezierVec3(_start, _control, _end, t); }, &_end);
}

QC_BOT_MOVE_CUBEBEZIER::QC_BOT_MOVE_CUBEBEZIER(QS_TRANSFORM3* target, const QS_VEC3& control1,
                                               const QS_VEC3& control2, const QS_VEC3& end, float duration,
                                               float speed, float delay)
    : _run(target, duration, speed, delay), _control1(control1), _control2(control2), _end(end) {
  fInitBot(*this, "bot_move_cubebezier");
  if (delay <= 0.0f) _run.fStartFrom(_start, _end);
}

int QC_BOT_MOVE_CUBEBEZIER::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  return fBotMessage(id, d, _run._endCallback, [this] { return fStep(); });
}

int QC_BOT_MOVE_CUBEBEZIER::fStep() {
  return _run.fStep("QC_BOT_MOVE_CUBEBEZIER killed", [this] { _run.fStartFrom(_start, _end); },
                    [this](float t) { return fCubicBezierVec3(_start, _control1, _control2, _end, t); });
}

}  // namespace QOR
