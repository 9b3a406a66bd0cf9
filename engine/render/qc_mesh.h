// A drawable: a vertex array with a texture, a render-state word and a transform, drawn through
// the renderer's batch. The base of QC_SPRITE.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec2.h"
#include "engine/render/qc_color.h"
#include "engine/render/qc_render_state.h"
#include "engine/render/qc_texture_info.h"
#include "engine/render/qs_vertex_array.h"

#include <cstdint>

namespace QOR {

class QC_MESH : public QS_VERTEX_ARRAY {
 public:
  // Empty array, cleared render state, no texture, no transform.
  QC_MESH();
  // Over caller-owned vertices and indices; the render state is cleared.
  QC_MESH(QS_VERTEX* vertices, int count, QC_TEXTURE_INFO* texture, QS_TRANSFORM3* transform,
          const std::uint16_t* indices, int indexCount);
  // Makes count white vertices of its own over caller-owned indices; the render state is cleared.
  QC_MESH(int count, QC_TEXTURE_INFO* texture, QS_TRANSFORM3* transform, const std::uint16_t* indices,
          int indexCount);
  // Deletes only a transform the mesh made itself; a transform handed in stays with its owner.
  ~QC_MESH();
  QC_MESH(const QC_MESH&) = delete;
  QC_MESH& operator=(const QC_MESH&) = delete;

  // The vertices, texture and render state into the batch under the current world transform.
  void fRenderLocal();
  // The transform alone (its parents ignored) becomes the world transform, then as fRenderLocal.
  // Without a transform the current world transform stays.
  void fRender();
  // Draws once at (x, y, 0) turned by angle and scaled by (sx, sy, 1) (sy 0 meaning sx), then
  // puts back the position x and y, the rotation and the scale x and y; position z comes back as 0
  // and scale z as 1. Without a transform the mesh draws under a temporary one with those values.
  void fRenderAt(float x, float y, float angle, float sx, float sy);
  void fRenderAtXY(float x, float y, float angle, float sx, float sy) { fRenderAt(x, y, angle, sx, sy); }

  // Transform edits; each does nothing without a transform.
  void fSetPosition(float x, float y, float z);
  void fSetPositionXY(float x, float y) { fSetPosition(x, y, 0.0f); }
  // The transform's position (x, y); (0, 0) without a transform.
  QS_VEC2 fGetPosition() const;
  void fSetAngle(float radians);
  // A sy of exactly 0 means sy := sx.
  void fSetScale(float sx, float sy, float sz);

  void fSetColor(QC_COLOR32 color);
  void fSetColorRef(const QC_COLOR32& color);
  // The colour of one vertex (nothing for an index outside the array); returns the value.
  std::uint32_t fSetVertexColor(std::uint32_t argb, int index);

  // Null is refused (returns null, nothing changes); otherwise stores and returns it.
  QS_TRANSFORM3* fSetTransform(QS_TRANSFORM3* transform);
  // Stores any value, null included; returns the previous one.
  QS_TRANSFORM3* fSwapTransform(QS_TRANSFORM3* transform);
  // Copies every field of t except its parent link into the transform, making one (which the
  // mesh then owns) when there is none.
  void fCopyTransform(const QS_TRANSFORM3& t);
  QS_TRANSFORM3* fGetTransform() const { return _transform; }
  QC_TEXTURE_INFO* fGetTexture() const { return _texture; }
  void fSetTexture(QC_TEXTURE_INFO* texture) { _texture = texture; }
  const QC_RENDER_STATE& fGetRenderState() const { return _renderState; }

 protected:
  // The transform made here, deleted with the mesh; kept apart from _transform so swapping in
  // another transform never makes the mesh delete what it does not own.
  QS_TRANSFORM3* fMakeOwnedTransform();

  QC_TEXTURE_INFO* _texture;
  QC_RENDER_STATE _renderState;
  QS_TRANSFORM3* _transform;
  QS_TRANSFORM3* _ownedTransform;
};

}  // namespace QOR
