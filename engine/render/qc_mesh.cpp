#include "engine/render/qc_mesh.h"

#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"

namespace QOR {

QC_MESH::QC_MESH() : _texture(nullptr), _renderState(), _transform(nullptr), _ownedTransform(nullptr) {}

QC_MESH::QC_MESH(QS_VERTEX* vertices, int count, QC_TEXTURE_INFO* texture, QS_TRANSFORM3* transform,
                 const std::uint16_t* indices, int indexCount)
    : QS_VERTEX_ARRAY(vertices, count, indices, indexCount),
      _texture(texture),
      _renderState(),
      _transform(transform),
      _ownedTransform(nullptr) {}

QC_MESH::QC_MESH(int count, QC_TEXTURE_INFO* texture, QS_TRANSFORM3* transform, const std::uint16_t* indices,
                 int indexCount)
    : _texture(texture), _renderState(), _transform(transform), _ownedTransform(nullptr) {
  fAllocate(count);
  fSetIndices(indices, indexCount);
}

QC_MESH::~QC_MESH() { delete _ownedTransform; }

QS_TRANSFORM3* QC_MESH::fMakeOwnedTransform() {
  if (_ownedTransform == nullptr) _ownedTransform = new QS_TRANSFORM3();
  return _ownedTransform;
}

void QC_MESH::fRenderLocal() {
  if (qcRENDER == nullptr) return;
  qcRENDER->fDrawBatch(_vertices, _texture, &_renderState, fLiveCount(), _indices, _indexCount);
}

void QC_MESH::fRender() {
  if (qcRENDER == nullptr) return;
  if (_transform != nullptr) qcRENDER->fSetWorldTransform(*_transform);
  fRenderLocal();
}

void QC_MESH::fRenderAt(float x, float y, float angle, float sx, float sy) {
  if (qcRENDER == nullptr) return;
  if (_transform == nullptr) {
    QS_TRANSFORM3 once;
    once.fSetPosition(x, y, 0.0f);
    once.fSetRotation(0.0f, 0.0f, angle);
    once.fSetScale(sx, sy == 0.0f ? sx : sy, 1.0f);
    qcRENDER->fSetWorldTransform(once);
    fRenderLocal();
    return;
  }
  QS_TRANSFORM3& t = *_transform;
  const float savedX = t._position.x;
  const float savedY = t._position.y;
  const QS_VEC3 savedRotation = t._rotation;
  const float savedScaleX = t._scale.x;
  const float savedScaleY = t._scale.y;
  t.fSetPosition(x, y, 0.0f);
  t.fSetRotation(0.0f, 0.0f, angle);
  fSetScale(sx, sy, 1.0f);
  qcRENDER->fSetWorldTransform(t);
  fRenderLocal();
  t.fSetPosition(savedX, savedY, 0.0f);
  t._rotation = savedRotation;
  // Set directly rather than through fSetScale, so a saved scale y of 0 comes back as 0.
  t.fSetScale(savedScaleX, savedScaleY, 1.0f);
}

void QC_MESH::fSetPosition(float x, float y, float z) {
  if (_transform != nullptr) _transform->fSetPosition(x, y, z);
}

QS_VEC2 QC_MESH::fGetPosition() const { return _transform != nullptr ? _transform->fGetPosition() : QS_VEC2(); }

void QC_MESH::fSetAngle(float radians) {
  if (_transform != nullptr) _transform->fSetAngle(radians);
}

void QC_MESH::fSetScale(float sx, float sy, float sz) {
  if (_transform != nullptr) _transform->fSetScale(sx, sy == 0.0f ? sx : sy, sz);
}

void QC_MESH::fSetColor(QC_COLOR32 color) { QS_VERTEX_ARRAY::fSetColor(color.fGetARGB()); }

void QC_MESH::fSetColorRef(const QC_COLOR32& color) { QS_VERTEX_ARRAY::fSetColor(color.fGetARGB()); }

std::uint32_t QC_MESH::fSetVertexColor(std::uint32_t argb, int index) {
  QS_VERTEX* vertex = fGetVertex(index);
  if (vertex != nullptr) vertex->fSetColor(argb);
  return argb;
}

QS_TRANSFORM3* QC_MESH::fSetTransform(QS_TRANSFORM3* transform) {
  if (transform == nullptr) return nullptr;
  _transform = transform;
  return transform;
}

QS_TRANSFORM3* QC_MESH::fSwapTransform(QS_TRANSFORM3* transform) {
  QS_TRANSFORM3* previous = _transform;
  _transform = transform;
  return previous;
}

void QC_MESH::fCopyTransform(const QS_TRANSFORM3& t) {
  if (_transform == nullptr) _transform = fMakeOwnedTransform();
  QS_TRANSFORM3* parent = _transform->_parent;
  *_transform = t;
  _transform->_parent = parent;
}

}  // namespace QOR
