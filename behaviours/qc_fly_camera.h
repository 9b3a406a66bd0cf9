// A keyboard-and-mouse controller for a 3D view: W and S move it forward and back, A and D to the
// sides, Q and E roll it, and dragging with the right mouse button turns it.
#pragma once

namespace QOR {

class QC_CAMERA;

class QC_FLY_CAMERA {
 public:
  static constexpr float kDefaultMoveSpeed = 20.0f;
  static constexpr float kDefaultTurnSpeed = 3.1415927f;

  // No camera yet; 20 units per second, pi radians per second.
  QC_FLY_CAMERA() : QC_FLY_CAMERA(nullptr, kDefaultMoveSpeed, kDefaultTurnSpeed) {}
  // The camera is not owned.
  QC_FLY_CAMERA(QC_CAMERA* camera, float moveSpeed, float turnSpeed)
      : _camera(camera), _moveSpeed(moveSpeed), _turnSpeed(turnSpeed) {}

  QC_FLY_CAMERA* fSetCamera(QC_CAMERA* camera) {
    _camera = camera;
    return this;
  }
  QC_CAMERA* fGetCamera() const { return _camera; }
  float fGetMoveSpeed() const { return _moveSpeed; }
  float fGetTurnSpeed() const { return _turnSpeed; }

  // One tick on the frame delta from the current input: 0 without a camera (or input), else 1. A
  // key acts while its state is not 0 (went down, held or released this tick).
  int fUpdate();

 private:
  QC_CAMERA* _camera;
  float _moveSpeed;  // distance per second
  float _turnSpeed;  // radians per second of the roll; scale of the mouse turn
};

}  // namespace QOR
