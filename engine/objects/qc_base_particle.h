// The first part of every particle: laid out exactly as the renderer's 20-byte point vertex
// (position, point size in pixels, ARGB colour), so the renderer copies it as it lies.
#pragma once

#include "engine/math/qs_vec3.h"
#include "engine/render/qc_color.h"
#include "engine/render/qs_vertex.h"

#include <cstddef>
#include <type_traits>

namespace QOR {

class QC_BASE_PARTICLE {
 public:
  QS_VEC3 _position;
  float _size;
  QC_COLOR32 _color;

  // Position (0, 0, 0); size and colour are left unset.
  QC_BASE_PARTICLE() : _position(0.0f, 0.0f, 0.0f) {}
  QC_BASE_PARTICLE(const QC_BASE_PARTICLE& other) = default;
  QC_BASE_PARTICLE& operator=(const QC_BASE_PARTICLE& other) = default;

  float fGetSize() const { return _size; }
  void fSetSize(float size) { _size = size; }
};

static_assert(std::is_standard_layout_v<QC_BASE_PARTICLE>, "a particle's base part is plain data");
static_assert(sizeof(QC_BASE_PARTICLE) == sizeof(QS_POINT_VERTEX), "a particle's base part is a point vertex");
static_assert(offsetof(QC_BASE_PARTICLE, _position) == offsetof(QS_POINT_VERTEX, x) &&
                  offsetof(QC_BASE_PARTICLE, _size) == offsetof(QS_POINT_VERTEX, size) &&
                  offsetof(QC_BASE_PARTICLE, _color) == offsetof(QS_POINT_VERTEX, color),
              "position, size, colour at the point vertex's offsets");

}  // namespace QOR
