// A free-flying view for the device: an eye point and three unit axes turned into a left-handed
// view matrix, which every change sets on the device as its view transform.
#pragma once

#include "engine/math/qs_matrix4.h"
#include "engine/math/qs_vec3.h"
#include "host/d3d9.h"

namespace QOR {

class QC_CAMERA {
 public:
  // Looks along +z at the plane z = 0, centred on ((width + 1) / 2, -(height + 1) / 2), from the
  // distance at which a 45-degree vertical field of view spans height + 1 units. The device is not
  // owned and may be null (the view is then only computed).
  QC_CAMERA(IDirect3DDevice9* device, float width, float height);
  ~QC_CAMERA() {}

  // Rebuilds the axes and the view matrix and sets it on the device; the device call's result
  // (D3DERR_INVALIDCALL without a device).
  HRESULT fUpdate();

  void fSetPosition(float x, float y, float z);
  void fSetX(float v);
  void fSetY(float v);
  void fSetZ(float v);
  // Moves along the forward, right and up axes.
  void fMove(float forward, float right, float up);
  // Each stores its angle and turns the axes by it from their current directions.
  void fSetRotationX(float angle);
  void fSetRotationY(float angle);
  void fSetRotationZ(float angle);
  // Adds the angles and turns: yaw about up, pitch about right, roll about forward.
  void fRotate(float yaw, float pitch, float roll);
  // Stores the angles and sets the axes to the default ones turned by yaw, pitch and roll, as
  // fRotate would turn them from the default orientation.
  void fSetRotation(float yaw, float pitch, float roll);

  QS_VEC3 fGetForward() const { return _forward; }
  QS_VEC3 fGetUp() const { return _up; }
  QS_VEC3 fGetRight() const { return _right; }
  QS_VEC3 fGetEye() const { return _eye; }
  QS_VEC3 fGetPosition() const { return _position; }
  QS_VEC3 fGetRotation() const { return QS_VEC3(_rotationX, _rotationY, _rotationZ); }
  const QS_MATRIX4& fGetView() const { return _view; }
  // The view as a device matrix.
  D3DMATRIX fGetViewMatrix() const;

 private:
  // Turns the given vectors about axis (normalised in place) by angle.
  static void fTurn(float angle, QS_VEC3& axis, QS_VEC3& first, QS_VEC3* second);

  float _rotationX;
  float _rotationY;
  float _rotationZ;
  QS_VEC3 _position;
  IDirect3DDevice9* _device;
  QS_MATRIX4 _view;
  QS_VEC3 _eye;
  QS_VEC3 _forward;
  QS_VEC3 _up;
  QS_VEC3 _right;
};

}  // namespace QOR
