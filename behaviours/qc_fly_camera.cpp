#include "behaviours/qc_fly_camera.h"

#include "engine/math/qs_point.h"
#include "engine/platform/qc_input.h"
#include "engine/render/qc_camera.h"
#include "engine/service/qc_globals.h"

namespace QOR {

namespace {

constexpr int kKeyD = 68;
constexpr int kKeyA = 65;
constexpr int kKeyW = 87;
constexpr int kKeyS = 83;
constexpr int kKeyQ = 81;
constexpr int kKeyE = 69;
constexpr int kRightButton = 2;
constexpr float kDegree = 0.017453292f;

}  // namespace

int QC_FLY_CAMERA::fUpdate() {
  if (_camera == nullptr || qcCurrentInput == nullptr) return 0;
  const QC_INPUT& input = *qcCurrentInput;
  const float dt = qcFrameTime;
  const float move = _moveSpeed * dt;
  const float turn = _turnSpeed * dt;
  if (input.fGetState(kKeyD) != 0) _camera->fMove(0.0f, move, 0.0f);
  if (input.fGetState(kKeyA) != 0) _camera->fMove(0.0f, -move, 0.0f);
  if (input.fGetState(kKeyW) != 0) _camera->fMove(move, 0.0f, 0.0f);
  if (input.fGetState(kKeyS) != 0) _camera->fMove(-move, 0.0f, 0.0f);
  if (input.fGetState(kKeyQ) != 0) _camera->fRotate(0.0f, 0.0f, turn);
  if (input.fGetState(kKeyE) != 0) _camera->fRotate(0.0f, 0.0f, -turn);
  if (input.fGetState(kRightButton) == 0) return 1;
  const QS_POINT now = input.fGetMousePos();
  const QS_POINT before = input.fGetPreviousMousePos();
  const int dx = now.x - before.x;
  const int dy = now.y - before.y;
  if (dx != 0) _camera->fRotate(2.0f * _turnSpeed * static_cast<float>(dx) * dt * kDegree, 0.0f, 0.0f);
  if (dy != 0) _camera->fRotate(0.0f, 2.0f * _turnSpeed * static_cast<float>(dy) * dt * kDegree, 0.0f);
  return 1;
}

}  // namespace QOR
