// Shared pieces of the renderer tests: sprite-like quads, render states, and the recorded calls
// of the recording device read back as vertices.
#pragma once

#include "engine/render/qc_render.h"
#include "host/recording_device.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace render_test {

using QOR::QC_RENDER_STATE;
using QOR::QS_VERTEX;

// The sprite's quad: (x, y) to (x + w, y + h), UV 0..1 (or 0..uv), one colour.
inline std::vector<QS_VERTEX> fQuad(float x, float y, float w, float h, std::uint32_t argb = 0xFFFFFFFFu,
                                    float uv = 1.0f) {
  std::vector<QS_VERTEX> quad(4);
  const float px[4] = {x, x + w, x + w, x};
  const float py[4] = {y, y, y + h, y + h};
  const float pu[4] = {0.0f, uv, uv, 0.0f};
  const float pv[4] = {0.0f, 0.0f, uv, uv};
  for (int i = 0; i < 4; ++i) {
    quad[i].fSetPosition(px[i], py[i], 0.0f);
    quad[i].nx = quad[i].ny = quad[i].nz = 0.0f;
    quad[i].fSetColor(argb);
    quad[i].fSetUV(pu[i], pv[i]);
  }
  return quad;
}

inline const std::uint16_t kQuadIndices[6] = {0, 1, 2, 0, 2, 3};

// A sprite's state: alpha blend, triangles, the filter, textured.
inline QC_RENDER_STATE fSpriteState(int filter = 1) {
  QC_RENDER_STATE state;
  state.fSet(QC_RENDER_STATE::kAlphaBlend, true);
  state.fSetPrimitive(2);
  state.fSetFilter(filter);
  state.fSet(QC_RENDER_STATE::kTextured, true);
  return state;
}

inline void fDrawQuad(QOR::QC_RENDER& render, const std::vector<QS_VERTEX>& quad, QOR::QC_TEXTURE_INFO* texture,
                      const QC_RENDER_STATE& state) {
  render.fDrawBatch(quad.data(), texture, &state, 4, kQuadIndices, 6);
}

// The recorded calls with this name.
inline std::vector<host_test::RecordedCall> fCalls(const std::string& name) {
  std::vector<host_test::RecordedCall> found;
  for (const auto& call : host_test::fRecordedCalls()) {
    if (call.name == name) found.push_back(call);
  }
  return found;
}

// The names of the recorded calls from index `from` on.
inline std::vector<std::string> fCallNames(std::size_t from = 0) {
  std::vector<std::string> names;
  const auto& calls = host_test::fRecordedCalls();
  for (std::size_t i = from; i < calls.size(); ++i) names.push_back(calls[i].name);
  return names;
}

// Vertex i of a recorded draw.
inline QS_VERTEX fDrawnVertex(const host_test::RecordedCall& draw, std::size_t i) {
  QS_VERTEX v;
  std::memcpy(&v, draw.vertices.data() + i * draw.stride, sizeof(QS_VERTEX));
  return v;
}

}  // namespace render_test
