#include "engine/render/qc_camera.h"

#include <cmath>
#include <cstring>

namespace QOR {

QC_CAMERA::QC_CAMERA(IDirect3DDevice9* device, float width, float height)
    : _rotationX(0.0f), _rotationY(0.0f), _rotationZ(0.0f), _device(device) {
  const float w = width + 1.0f;
  const float h = height + 1.0f;
  const float fieldOfView = 0.7853982f;
  const float d = (h / 2.0f) / std::tan(fieldOfView / 2.0f);
  _eye = QS_VEC3(w / 2.0f, -h / 2.0f, -d);
  _forward = QS_VEC3(0.0f, 0.0f, 1.0f);
  _up = QS_VEC3(0.0f, 1.0f, 0.0f);
  _right = QS_VEC3(1.0f, 0.0f, 0.0f);
  _position = _eye;
  fUpdate();
}

D3DMATRIX QC_CAMERA::fGetViewMatrix() const {
  D3DMATRIX m;
  static_assert(sizeof(m.m) == sizeof(_view.e), "a device matrix is 16 floats");
  std::memcpy(m.m, _view.e, sizeof(m.m));
  return m;
}

HRESULT QC_CAMERA::fUpdate() {
  _forward.fNormalize();
  _right = QS_VEC3::fCross(_up, _forward);
  _right.fNormalize();
  _up = QS_VEC3::fCross(_forward, _right);
  _up.fNormalize();
  float* e = _view.e;
  e[0] = _right.x;
  e[1] = _up.x;
  e[2] = _forward.x;
  e[3] = 0.0f;
  e[4] = _right.y;
  e[5] = _up.y;
  e[6] = _forward.y;
  e[7] = 0.0f;
  e[8] = _right.z;
  e[9] = _up.z;
  e[10] = _forward.z;
  e[11] = 0.0f;
  e[12] = -_eye.fDot(_right);
  e[13] = -_eye.fDot(_up);
  e[14] = -_eye.fDot(_forward);
  e[15] = 1.0f;
  if (_device == nullptr) return D3DERR_INVALIDCALL;
  const D3DMATRIX view = fGetViewMatrix();
  return _device->SetTransform(D3DTS_VIEW, &view);
}

void QC_CAMERA::fTurn(float angle, QS_VEC3& axis, QS_VEC3& first, QS_VEC3* second) {
  QS_MATRIX4 turn;
  turn.fRotationAxis(&angle, axis);
  turn.fTransformNormal(first);
  if (second != nullptr) turn.fTransformNormal(*second);
}

void QC_CAMERA::fSetPosition(float x, float y, float z) {
  _eye = QS_VEC3(x, y, z);
  _position = _eye;
  fUpdate();
}

void QC_CAMERA::fSetX(float v) {
  _eye.x = v;
  _position.x = v;
  fUpdate();
}

void QC_CAMERA::fSetY(float v) {
  _eye.y = v;
  _position.y = v;
  fUpdate();
}

void QC_CAMERA::fSetZ(float v) {
  _eye.z = v;
  _position.z = v;
  fUpdate();
}

void QC_CAMERA::fMove(float forward, float right, float up) {
  _eye += _forward * forward;
  _eye += _right * right;
  _eye += _up * up;
  _position = _eye;
  fUpdate();
}

void QC_CAMERA::fSetRotationX(float angle) {
  _rotationX = angle;
  QS_VEC3 axis = _right;
  fTurn(angle, axis, _forward, &_up);
  _right = axis;
  fUpdate();
}

void QC_CAMERA::fSetRotationY(float angle) {
  _rotationY = angle;
  QS_VEC3 axis = _up;
  fTurn(angle, axis, _forward, nullptr);
  _up = axis;
  fUpdate();
}

void QC_CAMERA::fSetRotationZ(float angle) {
  _rotationZ = angle;
  QS_VEC3 axis = _forward;
  fTurn(angle, axis, _right, &_up);
  _forward = axis;
  fUpdate();
}

void QC_CAMERA::fRotate(float yaw, float pitch, float roll) {
  _rotationX += pitch;
  _rotationY += yaw;
  _rotationZ += roll;
  QS_VEC3 upAxis = _up;
  fTurn(yaw, upAxis, _forward, &_up);
  QS_VEC3 rightAxis = _right;
  fTurn(pitch, rightAxis, _forward, &_up);
  _right = rightAxis;
  QS_VEC3 forwardAxis = _forward;
  fTurn(roll, forwardAxis, _right, &_up);
  _forward = forwardAxis;
  fUpdate();
}

void QC_CAMERA::fSetRotation(float yaw, float pitch, float roll) {
  _forward = QS_VEC3(0.0f, 0.0f, 1.0f);
  _up = QS_VEC3(0.0f, 1.0f, 0.0f);
  _right = QS_VEC3(1.0f, 0.0f, 0.0f);
  _rotationX = 0.0f;
  _rotationY = 0.0f;
  _rotationZ = 0.0f;
  fRotate(yaw, pitch, roll);
}

}  // namespace QOR
