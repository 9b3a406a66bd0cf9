// Batched drawing: vertices transformed on the processor into one dynamic buffer and drawn in one
// device call per run of the same texture and render state; the render-state filter; the world
// transforms of the batch.
#include "engine/render/qc_render.h"

#include "engine/service/qc_globals.h"

namespace QOR {

namespace {

D3DPRIMITIVETYPE primitiveType(int kind) {
  switch (kind) {
    case 0:
    case 3:
      return D3DPT_POINTLIST;
    case 1:
      return D3DPT_LINELIST;
    default:
      return D3DPT_TRIANGLELIST;
  }
}

// Primitives of a batch of n vertices (or indices) of the given kind; 0 draws nothing.
UINT primitiveCount(int kind, int n) {
  switch (kind) {
    case 0:
    case 3:
      return static_cast<UINT>(n);
    case 1:
      return static_cast<UINT>(n / 2);
    case 2:
      return static_cast<UINT>(n / 3);
    default:
      return 0;
  }
}

}  // namespace

void QC_RENDER::fBindTexture(IDirect3DTexture9* texture) {
  if (_device != nullptr) _device->SetTexture(0, texture);
}

void QC_RENDER::fDrawBatch(const QS_VERTEX* vertices, QC_TEXTURE_INFO* texture, const QC_RENDER_STATE* state,
                           int vertexCount, const std::uint16_t* indices, int indexCount) {
  if (state == nullptr) return;
  ++_statDraws;
  // A submission larger than a whole batch, or with counts its arrays cannot hold, is refused.
  if (vertexCount < 0 || vertexCount > kBatchCapacity || indexCount < 0 || indexCount > kIndexCapacity ||
      (vertexCount > 0 && vertices == nullptr) || (indexCount > 0 && indices == nullptr)) {
    return;
  }
  const bool indexed = indexCount > 0;
  // An index that names a vertex outside this submission would draw from another one's data.
  if (indexed) {
    for (int i = 0; i < indexCount; ++i) {
      if (indices[i] >= vertexCount) return;
    }
  }
  // A batch is drawn either with indices or without: a change of kind draws what is pending
  // first, so no vertex is left out of the draw call.
  const bool kindChanges = _batchVertexCount > 0 && (_batchIndexCount > 0) != indexed;
  if (*state != _currentState || texture != _currentTexture || _batchVertexCount + vertexCount > kBatchCapacity ||
      _batchIndexCount + indexCount > kIndexCapacity || kindChanges) {
    fFlush();
    fApplyState(state);
    // A textured state without a handle draws untextured.
    if (_currentState.isSet(QC_RENDER_STATE::kTextured) && texture != nullptr) {
      fBindTexture(texture->_texture);
      _currentTexture = texture;
    } else {
      fBindTexture(nullptr);
      _currentTexture = nullptr;
    }
  }
  if (vertexCount == 0 || _batchVertices == nullptr || (indexed && _batchIndices == nullptr)) return;

  void* data = nullptr;
  const DWORD vertexFlags = _batchVertexCount == 0 ? D3DLOCK_DISCARD : D3DLOCK_NOOVERWRITE;
  if (FAILED(_batchVertices->Lock(static_cast<UINT>(_batchVertexCount * sizeof(QS_VERTEX)),
                                  static_cast<UINT>(vertexCount * sizeof(QS_VERTEX)), &data, vertexFlags)) ||
      data == nullptr) {
    return;  // nowhere to write: the submission is skipped
  }
  auto* out = static_cast<QS_VERTEX*>(data);
  for (int i = 0; i < vertexCount; ++i) {
    out[i] = vertices[i];
    out[i].fTransform(_batchWorld);
  }
  _batchVertices->Unlock();

  if (indexed) {
    void* indexData = nullptr;
    const DWORD indexFlags = _batchIndexCount == 0 ? D3DLOCK_DISCARD : D3DLOCK_NOOVERWRITE;
    if (FAILED(_batchIndices->Lock(static_cast<UINT>(_batchIndexCount * 2), static_cast<UINT>(indexCount * 2),
                                   &indexData, indexFlags)) ||
        indexData == nullptr) {
      return;  // without its indices the submission's vertices are not kept either
    }
    auto* indexOut = static_cast<std::uint16_t*>(indexData);
    for (int i = 0; i < indexCount; ++i) {
      indexOut[i] = static_cast<std::uint16_t>(indices[i] + _batchVertexCount);
    }
    _batchIndices->Unlock();
    _batchIndexCount += indexCount;
  }
  _batchVertexCount += vertexCount;
}

void QC_RENDER::fFlush() {
  if (_batchVertexCount == 0) return;
  ++_statFlushes;
  const int kind = _currentState.fGetPrimitive();
  const bool indexed = _batchIndexCount > 0;
  const UINT primitives = primitiveCount(kind, indexed ? _batchIndexCount : _batchVertexCount);
  if (_device != nullptr && _batchVertices != nullptr && primitives > 0) {
    _device->SetStreamSource(0, _batchVertices, 0, sizeof(QS_VERTEX));
    _device->SetFVF(QS_VERTEX::kFvf);
    if (!indexed) {
      _device->DrawPrimitive(primitiveType(kind), 0, primitives);
    } else if (_batchIndices != nullptr) {
      _device->SetIndices(_batchIndices);
      _device->DrawIndexedPrimitive(primitiveType(kind), 0, 0, static_cast<UINT>(_batchVertexCount), 0, primitives);
    }
  }
  _batchVertexCount = 0;
  _batchIndexCount = 0;
}

bool QC_RENDER::fApplyState(const QC_RENDER_STATE* state) {
  if (state == nullptr || *state == _currentState) return false;
  ++_statStates;
  const std::uint32_t next = state->_bits;
  const std::uint32_t now = _currentState._bits;
  const auto changed = [&](std::uint32_t mask) { return (next & mask) != (now & mask); };
  if (_device != nullptr) {
    if ((next & QC_RENDER_STATE::kOpaque) != 0 && (now & QC_RENDER_STATE::kOpaque) == 0) {
      _device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    } else if (changed(QC_RENDER_STATE::kAlphaBlend)) {
      _device->SetRenderState(D3DRS_ALPHABLENDENABLE, (next & QC_RENDER_STATE::kAlphaBlend) != 0 ? TRUE : FALSE);
    }
    if (changed(QC_RENDER_STATE::kAdditive)) {
      _device->SetRenderState(D3DRS_DESTBLEND,
                              (next & QC_RENDER_STATE::kAdditive) != 0 ? D3DBLEND_ONE : D3DBLEND_INVSRCALPHA);
    }
    if (changed(QC_RENDER_STATE::kDepthTest)) {
      _device->SetRenderState(D3DRS_ZENABLE, (next & QC_RENDER_STATE::kDepthTest) != 0 ? TRUE : FALSE);
    }
    if (changed(QC_RENDER_STATE::kFilterMask)) {
      const int filter = state->fGetFilter();
      if (filter <= 3) {
        _device->SetSamplerState(0, D3DSAMP_MAGFILTER, static_cast<DWORD>(filter));
        _device->SetSamplerState(0, D3DSAMP_MINFILTER, static_cast<DWORD>(filter));
      }
    }
    if (changed(QC_RENDER_STATE::kPrimitiveMask)) {
      if (state->fGetPrimitive() == 3) {
        _device->SetRenderState(D3DRS_POINTSPRITEENABLE, TRUE);
        _device->SetRenderState(D3DRS_POINTSIZE_MIN, fFloatToDword(1.0f));
        _device->SetRenderState(D3DRS_POINTSCALE_A, fFloatToDword(0.0f));
        _device->SetRenderState(D3DRS_POINTSCALE_B, fFloatToDword(0.0f));
        _device->SetRenderState(D3DRS_POINTSCALE_C, fFloatToDword(1.0f));
      } else {
        _device->SetRenderState(D3DRS_POINTSPRITEENABLE, FALSE);
        _device->SetRenderState(D3DRS_POINTSCALEENABLE, FALSE);
      }
    }
  }
  if (changed(QC_RENDER_STATE::kScreen)) {
    if ((next & QC_RENDER_STATE::kScreen) != 0) {
      fSetScreenTransforms();
    } else {
      fSetSceneTransforms();
    }
  }
  _currentState._bits = next & 0xFFFFu;
  return true;
}

void QC_RENDER::fSetWorldTransform(const QS_TRANSFORM3& t) {
  D3DXMATRIX step;
  D3DXMatrixIdentity(&_batchWorld);
  // The pivot's z is added: a vertex first moves by the pivot, then turns, scales and moves to
  // the position.
  D3DXMatrixTranslation(&step, -t._pivot.x, -t._pivot.y, t._pivot.z);
  D3DXMatrixMultiply(&_batchWorld, &_batchWorld, &step);
  D3DXMatrixRotationYawPitchRoll(&step, t._rotation.y, t._rotation.x, t._rotation.z);
  D3DXMatrixMultiply(&_batchWorld, &_batchWorld, &step);
  D3DXMatrixScaling(&step, t._scale.x, t._scale.y, t._scale.z);
  D3DXMatrixMultiply(&_batchWorld, &_batchWorld, &step);
  D3DXMatrixTranslation(&step, t._position.x, t._position.y, t._position.z);
  D3DXMatrixMultiply(&_batchWorld, &_batchWorld, &step);
}

void QC_RENDER::fSetSceneWorldTransform(const QS_TRANSFORM3& t) {
  D3DXMATRIX step;
  D3DXMatrixTranslation(&step, -t._pivot.x, t._pivot.y, t._pivot.z);
  D3DXMatrixMultiply(&_sceneWorld, &_sceneWorld, &step);
  D3DXMatrixRotationYawPitchRoll(&step, t._rotation.y, t._rotation.x, t._rotation.z);
  D3DXMatrixMultiply(&_sceneWorld, &_sceneWorld, &step);
  D3DXMatrixTranslation(&step, t._position.x, -t._position.y, t._position.z);
  D3DXMatrixMultiply(&_sceneWorld, &_sceneWorld, &step);
  D3DXMatrixScaling(&step, t._scale.x, t._scale.y, t._scale.z);
  D3DXMatrixMultiply(&_sceneWorld, &_sceneWorld, &step);
  if (_device != nullptr) _device->SetTransform(D3DTS_WORLD, &_sceneWorld);
}

}  // namespace QOR
