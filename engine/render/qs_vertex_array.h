// A block of QS_VERTEX with an optional table of 16-bit indices, and the whole-array edits that
// meshes and widgets make on it: colour, translation, rotation, scale, a whole transform, and
// texture-coordinate offset, rotation and scale.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/render/qs_vertex.h"

#include <cstdint>

namespace QOR {

class QS_VERTEX_ARRAY {
 public:
  // All members null or 0.
  QS_VERTEX_ARRAY();
  // Adopts the caller's blocks without owning them.
  QS_VERTEX_ARRAY(QS_VERTEX* vertices, int count, const std::uint16_t* indices, int indexCount);
  // Copies are deep: new storage with all of the source's vertices, and of its indices when it
  // has an index table.
  QS_VERTEX_ARRAY(const QS_VERTEX_ARRAY& other);
  QS_VERTEX_ARRAY& operator=(const QS_VERTEX_ARRAY& other);
  // Frees only the storage this array made itself (fAllocate, copies).
  ~QS_VERTEX_ARRAY();

  // Frees a block this array made, then makes n vertices (white, everything else 0).
  void fAllocate(int n);
  // Adopt blocks without owning them; a block this array made is freed first.
  void fSetVertices(QS_VERTEX* vertices, int count);
  void fSetIndices(const std::uint16_t* indices, int count);
  // Frees the vertex block when this array made it and forgets it either way: the array is then
  // empty, never pointing at freed storage.
  void fFree();

  int fGetCount() const { return _count; }
  int fGetIndexCount() const { return _indexCount; }
  const std::uint16_t* fGetIndices() const { return _indices; }
  // Vertex i, or null when i is not a vertex of the array.
  QS_VERTEX* fGetVertex(int i) const { return (i >= 0 && i < _count && _vertices != nullptr) ? _vertices + i : nullptr; }

  void fSetColor(std::uint32_t argb);
  // The colour of vertex 0; 0 for an empty array.
  std::uint32_t fGetColor() const;

  void fTranslate(float dx, float dy, float dz);
  // Turns every position about the origin: first az in the xy plane, then ax in the zy plane,
  // then ay in the xz plane; an angle of exactly 0 is skipped.
  void fRotate(float ax, float ay, float az);
  // Scales every position about the centre, per axis.
  void fScale(float cx, float cy, float cz, float sx, float sy, float sz);
  // Per vertex: adds the position, turns by the rotation as fRotate, scales about the pivot.
  void fApplyTransform(const QS_TRANSFORM3& t);
  void fOffsetUV(float du, float dv);
  // Turns the texture coordinates about (cu, cv); nothing when the angle is 0.
  void fRotateUV(float angle, float cu, float cv);
  void fScaleUV(float cu, float cv, float su, float sv);
  // Copies vertex 0 over the last vertex.
  void fCloseLoop();

 protected:
  // The vertices that can be reached: none without a block.
  int fLiveCount() const { return _vertices != nullptr ? _count : 0; }

  QS_VERTEX* _vertices;
  int _count;
  const std::uint16_t* _indices;
  int _indexCount;
  // Whether the blocks were made here (and are freed here).
  bool _ownsVertices;
  bool _ownsIndices;

 private:
  void fReleaseVertices();
  void fReleaseIndices();
  void fCopyFrom(const QS_VERTEX_ARRAY& other);
};

}  // namespace QOR
