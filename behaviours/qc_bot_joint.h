// Joints that keep a moving transform A placed relative to an anchor transform B: rigidly at a
// fixed offset, or at a fixed distance while free to turn about B. A lifetime of 0 means endless.
// While the delay runs, the joint keeps capturing how A lies relative to B.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec3.h"
#include "engine/objects/qc_base.h"
#include "engine/service/qc_callback.h"

namespace QOR {

// A's position is kept at B's position plus the offset A - B captured last.
class QC_BOT_RIGID_JOINT : public QC_BASE {
 public:
  QC_BOT_RIGID_JOINT(QS_TRANSFORM3* moving, QS_TRANSFORM3* anchor, float lifetime, float delay);

  // 1: the step; 38: d is kept as the end callback, fired at the end.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  int fStep();

  QS_TRANSFORM3* _moving;
  QS_TRANSFORM3* _anchor;
  float _lifetime;
  bool _endless;
  float _delayLeft;
  QS_VEC3 _offset;
  QC_CALLBACK* _endCallback;
};

// A is kept at the captured distance from B in the xy plane, along the direction in which it lies
// from B now, with z 0.
class QC_BOT_DISTANCE_JOINT : public QC_BASE {
 public:
  QC_BOT_DISTANCE_JOINT(QS_TRANSFORM3* moving, QS_TRANSFORM3* anchor, float lifetime, float delay);

  // 1: the step; 38: d is kept as the end callback, fired at the end.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

  // The polar angle of (x, y) in [0, 2*pi); 0 for the origin.
  static float fPolarAngle(float x, float y);

 private:
  void fCapture();
  int fStep();

  QS_TRANSFORM3* _moving;
  QS_TRANSFORM3* _anchor;
  float _lifetime;
  bool _endless;
  float _delayLeft;
  float _distance;
  float _angle;
  QC_CALLBACK* _endCallback;
};

}  // namespace QOR
