// Everything a device remembers between calls: render, texture-stage and sampler states, the
// three transforms and what is bound. A new device and every reset start from the defaults.
#pragma once

#include "host/d3d9.h"

#include <array>

namespace host_d3d {

class MemoryTexture;
class MemoryVertexBuffer;
class MemoryIndexBuffer;

struct DeviceState {
  static constexpr DWORD kRenderStates = 256;
  static constexpr DWORD kStageStates = 33;
  static constexpr DWORD kSamplerStates = 14;

  std::array<DWORD, kRenderStates> render{};
  std::array<DWORD, kStageStates> stage0{};
  std::array<DWORD, kSamplerStates> sampler0{};
  D3DMATRIX world{};
  D3DMATRIX view{};
  D3DMATRIX projection{};

  // Bindings are not references: an object that dies unbinds itself.
  MemoryTexture* texture = nullptr;
  MemoryVertexBuffer* stream = nullptr;
  UINT streamOffset = 0;
  UINT streamStride = 0;
  MemoryIndexBuffer* indices = nullptr;
  DWORD fvf = 0;
  MemoryTexture* renderTarget = nullptr;  // null: the back buffer

  float fFloatState(D3DRENDERSTATETYPE state) const;
};

// The device defaults; the depth test starts on exactly when the device has a depth buffer.
void fSetDefaultState(DeviceState& state, bool depthBuffer);

// The identity matrix.
D3DMATRIX fIdentityMatrix();
// a * b for row vectors: a applied first.
D3DMATRIX fMultiply(const D3DMATRIX& a, const D3DMATRIX& b);

}  // namespace host_d3d
