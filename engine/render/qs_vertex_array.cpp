#include "engine/render/qs_vertex_array.h"

#include <cmath>

namespace QOR {

namespace {

// Sine and cosine of one angle, rounded to float, taken once per axis and call.
struct TURN {
  float s;
  float c;
  explicit TURN(float a) : s(static_cast<float>(std::sin(a))), c(static_cast<float>(std::cos(a))) {}
};

// One position turned as QS_VERTEX_ARRAY::fRotate does, with the turns precomputed.
void fTurn(QS_VERTEX& v, bool doZ, const TURN& z, bool doX, const TURN& x, bool doY, const TURN& y) {
  if (doZ) {
    const float px = v.x * z.c - v.y * z.s;
    const float py = v.x * z.s + v.y * z.c;
    v.x = px;
    v.y = py;
  }
  if (doX) {
    const float pz = v.z * x.c - v.y * x.s;
    const float py = v.z * x.s + v.y * x.c;
    v.z = pz;
    v.y = py;
  }
  if (doY) {
    const float px = v.x * y.c - v.z * y.s;
    const float pz = v.x * y.s + v.z * y.c;
    v.x = px;
    v.z = pz;
  }
}

QS_VERTEX* fNewVertices(int n) {
  auto* block = new QS_VERTEX[static_cast<std::size_t>(n)]();
  for (int i = 0; i < n; ++i) block[i].fSetColor(0xFFFFFFFFu);
  return block;
}

}  // namespace

QS_VERTEX_ARRAY::QS_VERTEX_ARRAY()
    : _vertices(nullptr), _count(0), _indices(nullptr), _indexCount(0), _ownsVertices(false), _ownsIndices(false) {}

QS_VERTEX_ARRAY::QS_VERTEX_ARRAY(QS_VERTEX* vertices, int count, const std::uint16_t* indices, int indexCount)
    : _vertices(vertices),
      _count(count < 0 ? 0 : count),
      _indices(indices),
      _indexCount(indexCount < 0 ? 0 : indexCount),
      _ownsVertices(false),
      _ownsIndices(false) {}

QS_VERTEX_ARRAY::QS_VERTEX_ARRAY(const QS_VERTEX_ARRAY& other) : QS_VERTEX_ARRAY() { fCopyFrom(other); }

QS_VERTEX_ARRAY& QS_VERTEX_ARRAY::operator=(const QS_VERTEX_ARRAY& other) {
  if (this != &other) fCopyFrom(other);
  return *this;
}

QS_VERTEX_ARRAY::~QS_VERTEX_ARRAY() {
  fReleaseVertices();
  fReleaseIndices();
}

void QS_VERTEX_ARRAY::fReleaseVertices() {
  if (_ownsVertices) delete[] _vertices;
  _vertices = nullptr;
  _ownsVertices = false;
}

void QS_VERTEX_ARRAY::fReleaseIndices() {
  if (_ownsIndices) delete[] _indices;
  _indices = nullptr;
  _ownsIndices = false;
}

// The source's blocks are copied before this array's own are released, so copying from an array
// that shares storage with this one stays sound.
void QS_VERTEX_ARRAY::fCopyFrom(const QS_VERTEX_ARRAY& other) {
  QS_VERTEX* vertices = nullptr;
  const int count = other._vertices != nullptr ? other._count : 0;
  if (count > 0) {
    vertices = new QS_VERTEX[static_cast<std::size_t>(count)];
    for (int i = 0; i < count; ++i) vertices[i] = other._vertices[i];
  }
  std::uint16_t* indices = nullptr;
  const int indexCount = other._indices != nullptr ? other._indexCount : 0;
  if (indexCount > 0) {
    indices = new std::uint16_t[static_cast<std::size_t>(indexCount)];
    for (int i = 0; i < indexCount; ++i) indices[i] = other._indices[i];
  }
  fReleaseVertices();
  _vertices = vertices;
  _count = count;
  _ownsVertices = vertices != nullptr;
  // Without an index table in the source, this array keeps its own.
  if (indices != nullptr) {
    fReleaseIndices();
    _indices = indices;
    _indexCount = indexCount;
    _ownsIndices = true;
  }
}

void QS_VERTEX_ARRAY::fAllocate(int n) {
  fReleaseVertices();
  _count = n > 0 ? n : 0;
  if (_count > 0) {
    _vertices = fNewVertices(_count);
    _ownsVertices = true;
  }
}

void QS_VERTEX_ARRAY::fSetVertices(QS_VERTEX* vertices, int count) {
  if (vertices == _vertices) {
    _count = count < 0 ? 0 : count;
    return;
  }
  fReleaseVertices();
  _vertices = vertices;
  _count = count < 0 ? 0 : count;
}

void QS_VERTEX_ARRAY::fSetIndices(const std::uint16_t* indices, int count) {
  if (indices != _indices) fReleaseIndices();
  _indices = indices;
  _indexCount = count < 0 ? 0 : count;
}

void QS_VERTEX_ARRAY::fFree() {
  fReleaseVertices();
  _count = 0;
}

void QS_VERTEX_ARRAY::fSetColor(std::uint32_t argb) {
  for (int i = 0; i < fLiveCount(); ++i) _vertices[i].fSetColor(argb);
}

std::uint32_t QS_VERTEX_ARRAY::fGetColor() const {
  return (_count > 0 && _vertices != nullptr) ? _vertices[0].color.fGetARGB() : 0u;
}

void QS_VERTEX_ARRAY::fTranslate(float dx, float dy, float dz) {
  for (int i = 0; i < fLiveCount(); ++i) {
    _vertices[i].x += dx;
    _vertices[i].y += dy;
    _vertices[i].z += dz;
  }
}

void QS_VERTEX_ARRAY::fRotate(float ax, float ay, float az) {
  const TURN x(ax), y(ay), z(az);
  for (int i = 0; i < fLiveCount(); ++i) fTurn(_vertices[i], az != 0.0f, z, ax != 0.0f, x, ay != 0.0f, y);
}

void QS_VERTEX_ARRAY::fScale(float cx, float cy, float cz, float sx, float sy, float sz) {
  for (int i = 0; i < fLiveCount(); ++i) {
    QS_VERTEX& v = _vertices[i];
    v.x = cx + (v.x - cx) * sx;
    v.y = cy + (v.y - cy) * sy;
    v.z = cz + (v.z - cz) * sz;
  }
}

void QS_VERTEX_ARRAY::fApplyTransform(const QS_TRANSFORM3& t) {
  const QS_VEC3& r = t._rotation;
  const TURN x(r.x), y(r.y), z(r.z);
  for (int i = 0; i < fLiveCount(); ++i) {
    QS_VERTEX& v = _vertices[i];
    v.x += t._position.x;
    v.y += t._position.y;
    v.z += t._position.z;
    fTurn(v, r.z != 0.0f, z, r.x != 0.0f, x, r.y != 0.0f, y);
    v.x = t._pivot.x + (v.x - t._pivot.x) * t._scale.x;
    v.y = t._pivot.y + (v.y - t._pivot.y) * t._scale.y;
    v.z = t._pivot.z + (v.z - t._pivot.z) * t._scale.z;
  }
}

void QS_VERTEX_ARRAY::fOffsetUV(float du, float dv) {
  for (int i = 0; i < fLiveCount(); ++i) {
    _vertices[i].u += du;
    _vertices[i].v += dv;
  }
}

void QS_VERTEX_ARRAY::fRotateUV(float angle, float cu, float cv) {
  if (angle == 0.0f) return;
  const TURN turn(angle);
  for (int i = 0; i < fLiveCount(); ++i) {
    QS_VERTEX& v = _vertices[i];
    const float du = v.u - cu;
    const float dv = v.v - cv;
    v.u = cu + du * turn.c - dv * turn.s;
    v.v = cv + du * turn.s + dv * turn.c;
  }
}

void QS_VERTEX_ARRAY::fScaleUV(float cu, float cv, float su, float sv) {
  for (int i = 0; i < fLiveCount(); ++i) {
    _vertices[i].u = cu + (_vertices[i].u - cu) * su;
    _vertices[i].v = cv + (_vertices[i].v - cv) * sv;
  }
}

void QS_VERTEX_ARRAY::fCloseLoop() {
  if (_count > 0 && _vertices != nullptr) _vertices[_count - 1] = _vertices[0];
}

}  // namespace QOR
