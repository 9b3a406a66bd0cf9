// The vertex layouts the device draws: the 36-byte vertex of every drawable and the 20-byte point
// vertex of particle sprites. Their byte layouts are fixed: the device reads them as they lie.
#pragma once

#include "engine/render/qc_color.h"

#include <cstddef>
#include <cstdint>

namespace QOR {

// Position, normal (carried, never used: lighting is off), ARGB colour, texture coordinates.
class QS_VERTEX {
 public:
  static constexpr std::uint32_t kFvf = 0x152;  // position, normal, diffuse colour, one texture pair

  float x;
  float y;
  float z;
  float nx;
  float ny;
  float nz;
  QC_COLOR32 color;
  float u;
  float v;

  // Leaves every field as it was.
  QS_VERTEX() = default;

  void fSetPosition(float px, float py, float pz) {
    x = px;
    y = py;
    z = pz;
  }
  void fSetColor(std::uint32_t argb) { color = argb; }
  QS_VERTEX& fSetUV(float tu, float tv) {
    u = tu;
    v = tv;
    return *this;
  }
  // position := (x, y, z, 1) times the matrix as a row vector, its fourth column ignored; the
  // matrix is 16 floats row by row (a device matrix). The normal is not changed.
  void fTransform(const float* matrix);
};

static_assert(sizeof(QS_VERTEX) == 36, "QS_VERTEX is 36 bytes");
static_assert(offsetof(QS_VERTEX, color) == 24, "the colour follows position and normal");
static_assert(offsetof(QS_VERTEX, u) == 28 && offsetof(QS_VERTEX, v) == 32, "texture coordinates close the vertex");

// Position, point size in pixels, ARGB colour.
class QS_POINT_VERTEX {
 public:
  static constexpr std::uint32_t kFvf = 0x62;  // position, point size, diffuse colour

  float x;
  float y;
  float z;
  float size;
  QC_COLOR32 color;
};

static_assert(sizeof(QS_POINT_VERTEX) == 20, "QS_POINT_VERTEX is 20 bytes");
static_assert(offsetof(QS_POINT_VERTEX, size) == 12 && offsetof(QS_POINT_VERTEX, color) == 16,
              "position, size, colour");

}  // namespace QOR
