// Movers of a transform's position along a Bezier curve from where it stands at the start: through
// a list of control points, or one (quadratic) or two (cubic) control points, to an end point.
// Each step adds the curve's advance over the step to the position, so other motion of the target
// adds up with it. Only the quadratic mover lands exactly on its end point.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec3.h"
#include "engine/objects/qc_base.h"
#include "engine/service/qc_callback.h"

#include <vector>

namespace QOR {

// The timing all three share: the curve parameter, the remaining time, the delay and the end
// callback. The curve is the owner's. Not a bot by itself.
class QS_CURVE_RUN {
 public:
  QS_CURVE_RUN(QS_TRANSFORM3* target, float duration, float speed, float delay);

  // What a step should do.
  enum class QE_PHASE { kWait, kSetUp, kEnd, kMove };
  // Counts the delay down (kSetUp in the step that ends it), else kEnd when the time is over.
  QE_PHASE fBegin();
  // Settles duration and speed over the straight distance from start to end.
  void fResolve(const QS_VEC3& start, const QS_VEC3& end);
  // Takes the target's position as the start and settles the timing from it to the end.
  void fStartFrom(QS_VEC3& start, const QS_VEC3& end) {
    start = _target->_position;
    fResolve(start, end);
  }
  // Adds curve(t + dt / duration) - curve(t) to the position and advances t and the time.
  template <typename Curve>
  void fMove(Curve curve);
  // One step of the owner: waits out the delay, runs setUp in the step that ends it, moves along
  // the curve, and at the end logs endLine, puts the target on landing (when given), fires the end
  // callback and answers that the owner is to be deleted.
  template <typename SetUp, typename Curve>
  int fStep(const char* endLine, SetUp setUp, Curve curve, const QS_VEC3* landing = nullptr);

  QS_TRANSFORM3* _target;
  float _givenDuration;
  float _givenSpeed;
  float _duration;
  float _speed;
  float _remaining;
  float _t;
  float _delayLeft;
  QC_CALLBACK* _endCallback;
};

class QC_BOT_MOVE_BEZIER : public QC_BASE {
 public:
  // The control points are copied; the curve runs start, the points, end.
  QC_BOT_MOVE_BEZIER(QS_TRANSFORM3* target, const std::vector<QS_VEC3>& points, const QS_VEC3& end, float duration,
                     float speed, float delay);

  // 1: the step; 38: d is kept as the end callback, fired at the end.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  void fSetUp();
  int fStep();

  QS_CURVE_RUN _run;
  std::vector<QS_VEC3> _given;
  QS_VEC3 _end;
  std::vector<QS_VEC3> _curve;
};

class QC_BOT_MOVE_QUADBEZIER : public QC_BASE {
 public:
  QC_BOT_MOVE_QUADBEZIER(QS_TRANSFORM3* target, const QS_VEC3& control, const QS_VEC3& end, float duration, float speed,
                         float delay);

  // 1: the step; 38: d is kept as the end callback, fired at the end.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  int fStep();

  QS_CURVE_RUN _run;
  QS_VEC3 _start;
  QS_VEC3 _control;
  QS_VEC3 _end;
};

class QC_BOT_MOVE_CUBEBEZIER : public QC_BASE {
 public:
  QC_BOT_MOVE_CUBEBEZIER(QS_TRANSFORM3* target, const QS_VEC3& control1, const QS_VEC3& control2, const QS_VEC3& end,
                         float duration, float speed, float delay);

  // 1: the step; 38: d is kept as the end callback, fired at the end.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  int fStep();

  QS_CURVE_RUN _run;
  QS_VEC3 _start;
  QS_VEC3 _control1;
  QS_VEC3 _control2;
  QS_VEC3 _end;
};

}  // namespace QOR
