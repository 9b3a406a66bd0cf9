// Particle point sprites through the point ring, the untextured debug shapes, and the stencil
// mask.
#include "engine/render/qc_render.h"

#include "engine/objects/qc_particle.h"

#include <cstring>

namespace QOR {

void QC_RENDER::fDrawParticles(const QC_PARTICLE* first, QC_TEXTURE_INFO* texture, const QC_RENDER_STATE* state) {
  fFlush();
  if (first == nullptr || state == nullptr) return;
  fApplyState(state);
  // What is bound becomes the batch's current texture, so the next batch binds its own again.
  QC_TEXTURE_INFO* bound = state->isSet(QC_RENDER_STATE::kTextured) ? texture : nullptr;
  fBindTexture(bound != nullptr ? bound->_texture : nullptr);
  _currentTexture = bound;
  if (_device == nullptr || _pointVertices == nullptr) return;
  _device->SetFVF(QS_POINT_VERTEX::kFvf);
  _device->SetStreamSource(0, _pointVertices, 0, sizeof(QS_POINT_VERTEX));
  if (_pointRing >= kPointCapacity) _pointRing = 0;

  const auto lockChunk = [this]() -> std::uint8_t* {
    void* data = nullptr;
    const DWORD flags = _pointRing == 0 ? D3DLOCK_DISCARD : D3DLOCK_NOOVERWRITE;
    if (FAILED(_pointVertices->Lock(static_cast<UINT>(_pointRing * sizeof(QS_POINT_VERTEX)),
                                    static_cast<UINT>(kPointChunk * sizeof(QS_POINT_VERTEX)), &data, flags))) {
      return nullptr;
    }
    return static_cast<std::uint8_t*>(data);
  };
  const auto advance = [this]() {
    _pointRing += kPointChunk;
    if (_pointRing >= kPointCapacity) _pointRing = 0;
  };

  std::uint8_t* chunk = lockChunk();
  if (chunk == nullptr) return;
  int filled = 0;
  // Each particle's first 20 bytes are its point vertex; the walk follows the link field.
  for (const QC_PARTICLE* particle = first; particle != nullptr; particle = particle->_next) {
    std::memcpy(chunk + static_cast<std::size_t>(filled) * sizeof(QS_POINT_VERTEX), &particle->_base,
                sizeof(QS_POINT_VERTEX));
    if (++filled == kPointChunk) {
      _pointVertices->Unlock();
      _device->DrawPrimitive(D3DPT_POINTLIST, static_cast<UINT>(_pointRing), static_cast<UINT>(kPointChunk));
      advance();
      filled = 0;
      chunk = lockChunk();
      if (chunk == nullptr) return;
    }
  }
  _pointVertices->Unlock();
  if (filled > 0) {
    _device->DrawPrimitive(D3DPT_POINTLIST, static_cast<UINT>(_pointRing), static_cast<UINT>(filled));
  }
  advance();
}

void QC_RENDER::fDrawShape(const QS_VERTEX* vertices, int count, const std::uint16_t* indices, int indexCount,
                           const QC_RENDER_STATE& state) {
  D3DXMatrixIdentity(&_batchWorld);
  fDrawBatch(vertices, nullptr, &state, count, indices, indexCount);
}

namespace {

QS_VERTEX shapeVertex(float x, float y, float z, std::uint32_t argb) {
  QS_VERTEX v;
  v.fSetPosition(x, y, z);
  v.nx = v.ny = v.nz = 0.0f;
  v.fSetColor(argb);
  v.fSetUV(0.0f, 0.0f);
  return v;
}

QC_RENDER_STATE shapeState(int kind, bool screen) {
  QC_RENDER_STATE state;
  state.fSetPrimitive(kind);
  state.fSet(QC_RENDER_STATE::kScreen, screen);
  return state;
}

}  // namespace

void QC_RENDER::fDrawSquare(int x, int y, std::uint32_t argb, float side) {
  static const QC_RENDER_STATE state = shapeState(2, true);
  static const std::uint16_t indices[6] = {0, 1, 2, 2, 3, 0};
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  const QS_VERTEX vertices[4] = {shapeVertex(fx, fy, 1.0f, argb), shapeVertex(fx + side, fy, 1.0f, argb),
                                 shapeVertex(fx + side, fy + side, 1.0f, argb), shapeVertex(fx, fy + side, 1.0f, argb)};
  fDrawShape(vertices, 4, indices, 6, state);
}

void QC_RENDER::fDrawLine(int x1, int y1, int x2, int y2, std::uint32_t argb) {
  static const QC_RENDER_STATE state = shapeState(1, true);
  static const std::uint16_t indices[2] = {0, 1};
  const QS_VERTEX vertices[2] = {shapeVertex(static_cast<float>(x1), static_cast<float>(y1), 1.0f, argb),
                                 shapeVertex(static_cast<float>(x2), static_cast<float>(y2), 1.0f, argb)};
  fDrawShape(vertices, 2, indices, 2, state);
}

void QC_RENDER::fDrawLine3D(float x1, float y1, float z1, float x2, float y2, float z2, std::uint32_t argb) {
  static const QC_RENDER_STATE state = shapeState(1, false);
  static const std::uint16_t indices[2] = {0, 1};
  const QS_VERTEX vertices[2] = {shapeVertex(x1, y1, z1, argb), shapeVertex(x2, y2, z2, argb)};
  fDrawShape(vertices, 2, indices, 2, state);
}

void QC_RENDER::fBeginMask() {
  if (_device == nullptr) return;
  _device->Clear(0, nullptr, D3DCLEAR_STENCIL, 0xFFFFFFFFu, 1.0f, 0);
  _device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
  _device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
  _device->SetRenderState(D3DRS_STENCILREF, 0xFF);
  _device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE);
  _maskReference = 0xFF;
}

void QC_RENDER::fApplyMask() {
  fFlush();
  if (_device == nullptr) return;
  --_maskReference;
  _device->SetRenderState(D3DRS_STENCILREF, _maskReference);
  _device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_LESS);
  _device->SetRenderState(D3DRS_STENCILFAIL, D3DSTENCILOP_REPLACE);
  --_maskReference;
}

void QC_RENDER::fEndMask() {
  fFlush();
  if (_device != nullptr) _device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
}

}  // namespace QOR
