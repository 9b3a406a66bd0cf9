#include "host/src/d3d9/host_device.h"

#include <array>

namespace host_d3d {

namespace {

bool isSupportedTextureFormat(D3DFORMAT format) {
  return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8B8G8R8;
}

// The largest texture side either device accepts.
constexpr UINT kMaxTextureSide = 8192;

}  // namespace

UINT fVerticesFor(D3DPRIMITIVETYPE type, UINT primitiveCount) {
  switch (type) {
    case D3DPT_POINTLIST:
      return primitiveCount;
    case D3DPT_LINELIST:
      return primitiveCount * 2;
    case D3DPT_LINESTRIP:
      return primitiveCount + 1;
    case D3DPT_TRIANGLELIST:
      return primitiveCount * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN:
      return primitiveCount + 2;
  }
  return 0;
}

HostDevice::HostDevice(const D3DPRESENT_PARAMETERS& parameters)
    : parameters_(parameters), ledger_(std::make_shared<ResourceLedger>()) {
  ledger_->device = this;
  fSetDefaultState(state_, parameters_.EnableAutoDepthStencil != FALSE);
}

HostDevice::~HostDevice() {
  ledger_->device = nullptr;
  if (backBuffer_ != nullptr) backBuffer_->Release();
}

void HostDevice::fInitBackBuffer() {
  fResolveBackBuffer(parameters_);
  backBuffer_ = new BackBufferSurface(ledger_);
  backBuffer_->fSetSize(parameters_.BackBufferWidth, parameters_.BackBufferHeight);
}

void HostDevice::fResolveBackBuffer(D3DPRESENT_PARAMETERS&) {}

void HostDevice::fNote(const char*, std::initializer_list<double>) {}
void HostDevice::fNoteArray(const char*, const double*, std::size_t) {}
HRESULT HostDevice::fInjected(Fault) { return D3D_OK; }

void HostDevice::fForgetObject(const void* object) {
  if (state_.texture == object) state_.texture = nullptr;
  if (state_.stream == object) state_.stream = nullptr;
  if (state_.indices == object) state_.indices = nullptr;
  if (state_.renderTarget == object) {
    state_.renderTarget = nullptr;
    fOnRenderTargetChanged();
  }
}

HRESULT HostDevice::TestCooperativeLevel() {
  fNote("TestCooperativeLevel", {});
  return fInjected(Fault::kCooperativeLevel);
}

HRESULT HostDevice::Reset(D3DPRESENT_PARAMETERS* parameters) {
  fNote("Reset", {parameters != nullptr ? static_cast<double>(parameters->BackBufferWidth) : -1.0,
                  parameters != nullptr ? static_cast<double>(parameters->BackBufferHeight) : -1.0});
  if (parameters == nullptr) return D3DERR_INVALIDCALL;
  const HRESULT forced = fInjected(Fault::kReset);
  if (FAILED(forced)) return forced;
  // Default-pool buffers, plain default-pool textures and outside references to the back buffer
  // would not survive; the caller must have released them.
  if (ledger_->defaultBuffers > 0 || ledger_->defaultTextures > 0 || backBuffer_->fRefCount() > 1) {
    return D3DERR_INVALIDCALL;
  }
  parameters_ = *parameters;
  fResolveBackBuffer(parameters_);
  backBuffer_->fSetSize(parameters_.BackBufferWidth, parameters_.BackBufferHeight);
  inScene_ = false;
  fSetDefaultState(state_, parameters_.EnableAutoDepthStencil != FALSE);
  for (MemoryTexture* target : ledger_->renderTargets) target->fRebuildStorage();
  fOnReset();
  fOnRenderTargetChanged();
  return D3D_OK;
}

HRESULT HostDevice::BeginScene() {
  fNote("BeginScene", {});
  const HRESULT forced = fInjected(Fault::kBeginScene);
  if (FAILED(forced)) return forced;
  if (inScene_) return D3DERR_INVALIDCALL;
  inScene_ = true;
  return D3D_OK;
}

HRESULT HostDevice::EndScene() {
  fNote("EndScene", {});
  if (!inScene_) return D3DERR_INVALIDCALL;
  inScene_ = false;
  return D3D_OK;
}

HRESULT HostDevice::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) {
  fNote("Clear", {static_cast<double>(count), static_cast<double>(flags), static_cast<double>(color),
                  static_cast<double>(z), static_cast<double>(stencil)});
  // Only whole-target clears are supported.
  if (count != 0 || rects != nullptr) return D3DERR_INVALIDCALL;
  if ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) != 0 && parameters_.EnableAutoDepthStencil == FALSE) {
    return D3DERR_INVALIDCALL;
  }
  const HRESULT forced = fInjected(Fault::kClear);
  if (FAILED(forced)) return forced;
  return fExecuteClear(flags, color, z, stencil);
}

HRESULT HostDevice::Present(const RECT*, const RECT*, HWND, const void*) {
  fNote("Present", {});
  const HRESULT forced = fInjected(Fault::kPresent);
  if (FAILED(forced)) return forced;
  return fExecutePresent();
}

HRESULT HostDevice::fExecuteClear(DWORD, D3DCOLOR, float, DWORD) { return D3D_OK; }
void HostDevice::fExecuteDraw(const DrawCall&) {}
HRESULT HostDevice::fExecutePresent() { return D3D_OK; }

MemoryTexture* HostDevice::fMakeTexture(UINT width, UINT height, DWORD usage, D3DFORMAT format, D3DPOOL pool) {
  return new MemoryTexture(ledger_, width, height, usage, format, pool);
}

HRESULT HostDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                  IDirect3DTexture9** texture, HANDLE*) {
  fNote("CreateTexture", {static_cast<double>(width), static_cast<double>(height), static_cast<double>(levels),
                          static_cast<double>(usage), static_cast<double>(format), static_cast<double>(pool)});
  if (texture == nullptr) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (width == 0 || height == 0 || width > kMaxTextureSide || height > kMaxTextureSide || levels > 1 ||
      !isSupportedTextureFormat(format)) {
    return D3DERR_INVALIDCALL;
  }
  if ((usage & D3DUSAGE_RENDERTARGET) != 0 && pool != D3DPOOL_DEFAULT) return D3DERR_INVALIDCALL;
  const HRESULT forced = fInjected(Fault::kCreateTexture);
  if (FAILED(forced)) return forced;
  *texture = fMakeTexture(width, height, usage, format, pool);
  return D3D_OK;
}

HRESULT HostDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                       IDirect3DVertexBuffer9** buffer, HANDLE*) {
  fNote("CreateVertexBuffer",
        {static_cast<double>(length), static_cast<double>(usage), static_cast<double>(fvf), static_cast<double>(pool)});
  if (buffer == nullptr) return D3DERR_INVALIDCALL;
  *buffer = nullptr;
  if (length == 0) return D3DERR_INVALIDCALL;
  *buffer = new MemoryVertexBuffer(ledger_, length, usage, fvf, pool);
  return D3D_OK;
}

HRESULT HostDevice::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                      IDirect3DIndexBuffer9** buffer, HANDLE*) {
  fNote("CreateIndexBuffer", {static_cast<double>(length), static_cast<double>(usage), static_cast<double>(format),
                              static_cast<double>(pool)});
  if (buffer == nullptr) return D3DERR_INVALIDCALL;
  *buffer = nullptr;
  // 16-bit indices only.
  if (length == 0 || format != D3DFMT_INDEX16) return D3DERR_INVALIDCALL;
  *buffer = new MemoryIndexBuffer(ledger_, length, usage, pool);
  return D3D_OK;
}

HRESULT HostDevice::GetRenderTarget(DWORD index, IDirect3DSurface9** surface) {
  fNote("GetRenderTarget", {static_cast<double>(index)});
  if (surface == nullptr) return D3DERR_INVALIDCALL;
  *surface = nullptr;
  if (index != 0) return D3DERR_INVALIDCALL;
  if (state_.renderTarget == nullptr) {
    backBuffer_->AddRef();
    *surface = backBuffer_;
  } else {
    *surface = new TextureSurface(state_.renderTarget);
  }
  return D3D_OK;
}

HRESULT HostDevice::SetRenderTarget(DWORD index, IDirect3DSurface9* surface) {
  const auto* info = dynamic_cast<const HostObjectInfo*>(surface);
  fNote("SetRenderTarget", {static_cast<double>(index), info != nullptr ? static_cast<double>(info->fSerial()) : 0.0});
  if (index != 0 || surface == nullptr) return D3DERR_INVALIDCALL;
  if (surface == backBuffer_) {
    state_.renderTarget = nullptr;
  } else {
    auto* level = dynamic_cast<TextureSurface*>(surface);
    if (level == nullptr || level->fTexture()->fLedger() != ledger_ || !level->fTexture()->isRenderTarget()) {
      return D3DERR_INVALIDCALL;
    }
    state_.renderTarget = level->fTexture();
  }
  fOnRenderTargetChanged();
  return D3D_OK;
}

HRESULT HostDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  std::array<double, 17> args{};
  args[0] = static_cast<double>(state);
  if (matrix != nullptr) {
    for (int i = 0; i < 16; ++i) args[static_cast<std::size_t>(i) + 1] = matrix->m[i / 4][i % 4];
  }
  fNoteArray("SetTransform", args.data(), args.size());
  if (matrix == nullptr) return D3DERR_INVALIDCALL;
  switch (state) {
    case D3DTS_WORLD:
      state_.world = *matrix;
      return D3D_OK;
    case D3DTS_VIEW:
      state_.view = *matrix;
      return D3D_OK;
    case D3DTS_PROJECTION:
      state_.projection = *matrix;
      return D3D_OK;
  }
  return D3DERR_INVALIDCALL;
}

HRESULT HostDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  fNote("SetRenderState", {static_cast<double>(state), static_cast<double>(value)});
  if (state >= DeviceState::kRenderStates) return D3DERR_INVALIDCALL;
  state_.render[state] = value;
  return D3D_OK;
}

HRESULT HostDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
  fNote("SetTextureStageState", {static_cast<double>(stage), static_cast<double>(type), static_cast<double>(value)});
  if (stage >= 8 || type >= DeviceState::kStageStates) return D3DERR_INVALIDCALL;
  // Only stage 0 takes part in drawing.
  if (stage == 0) state_.stage0[type] = value;
  return D3D_OK;
}

HRESULT HostDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
  fNote("SetSamplerState", {static_cast<double>(sampler), static_cast<double>(type), static_cast<double>(value)});
  if (sampler >= 16 || type >= DeviceState::kSamplerStates) return D3DERR_INVALIDCALL;
  if (sampler == 0) state_.sampler0[type] = value;
  return D3D_OK;
}

HRESULT HostDevice::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) {
  const auto* info = dynamic_cast<const HostObjectInfo*>(texture);
  fNote("SetTexture", {static_cast<double>(stage), info != nullptr ? static_cast<double>(info->fSerial()) : 0.0});
  if (stage >= 8) return D3DERR_INVALIDCALL;
  MemoryTexture* mine = nullptr;
  if (texture != nullptr) {
    mine = dynamic_cast<MemoryTexture*>(texture);
    if (mine == nullptr || mine->fLedger() != ledger_) return D3DERR_INVALIDCALL;
  }
  if (stage == 0) state_.texture = mine;
  return D3D_OK;
}

HRESULT HostDevice::SetFVF(DWORD fvf) {
  fNote("SetFVF", {static_cast<double>(fvf)});
  state_.fvf = fvf;
  return D3D_OK;
}

HRESULT HostDevice::SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) {
  const auto* info = dynamic_cast<const HostObjectInfo*>(buffer);
  fNote("SetStreamSource", {static_cast<double>(stream), info != nullptr ? static_cast<double>(info->fSerial()) : 0.0,
                            static_cast<double>(offset), static_cast<double>(stride)});
  if (stream != 0) return D3DERR_INVALIDCALL;
  MemoryVertexBuffer* mine = nullptr;
  if (buffer != nullptr) {
    mine = dynamic_cast<MemoryVertexBuffer*>(buffer);
    if (mine == nullptr || mine->fLedger() != ledger_) return D3DERR_INVALIDCALL;
  }
  state_.stream = mine;
  state_.streamOffset = offset;
  state_.streamStride = stride;
  return D3D_OK;
}

HRESULT HostDevice::SetIndices(IDirect3DIndexBuffer9* buffer) {
  const auto* info = dynamic_cast<const HostObjectInfo*>(buffer);
  fNote("SetIndices", {info != nullptr ? static_cast<double>(info->fSerial()) : 0.0});
  MemoryIndexBuffer* mine = nullptr;
  if (buffer != nullptr) {
    mine = dynamic_cast<MemoryIndexBuffer*>(buffer);
    if (mine == nullptr || mine->fLedger() != ledger_) return D3DERR_INVALIDCALL;
  }
  state_.indices = mine;
  return D3D_OK;
}

HRESULT HostDevice::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) {
  fNote("DrawPrimitive", {static_cast<double>(type), static_cast<double>(startVertex),
                          static_cast<double>(primitiveCount)});
  const UINT needed = fVerticesFor(type, primitiveCount);
  if (!inScene_ || needed == 0 || state_.stream == nullptr || state_.streamStride == 0) return D3DERR_INVALIDCALL;
  const FvfLayout layout = fFvfLayout(state_.fvf);
  if (layout.position < 0 || state_.streamStride < layout.size) return D3DERR_INVALIDCALL;
  // Every vertex read must lie inside the buffer.
  const std::uint64_t end = static_cast<std::uint64_t>(state_.streamOffset) +
                            (static_cast<std::uint64_t>(startVertex) + needed) * state_.streamStride;
  if (end > state_.stream->fLength()) return D3DERR_INVALIDCALL;
  DrawCall draw;
  draw.type = type;
  draw.primitiveCount = primitiveCount;
  draw.vertexData = state_.stream->fBytes() + state_.streamOffset +
                    static_cast<std::size_t>(startVertex) * state_.streamStride;
  draw.vertexCount = needed;
  draw.stride = state_.streamStride;
  draw.fvf = state_.fvf;
  fExecuteDraw(draw);
  return D3D_OK;
}

HRESULT HostDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertex, UINT minIndex, UINT vertexCount,
                                         UINT startIndex, UINT primitiveCount) {
  fNote("DrawIndexedPrimitive", {static_cast<double>(type), static_cast<double>(baseVertex),
                                 static_cast<double>(minIndex), static_cast<double>(vertexCount),
                                 static_cast<double>(startIndex), static_cast<double>(primitiveCount)});
  const UINT needed = fVerticesFor(type, primitiveCount);
  if (!inScene_ || needed == 0 || vertexCount == 0 || state_.stream == nullptr || state_.streamStride == 0 ||
      state_.indices == nullptr) {
    return D3DERR_INVALIDCALL;
  }
  const FvfLayout layout = fFvfLayout(state_.fvf);
  if (layout.position < 0 || state_.streamStride < layout.size) return D3DERR_INVALIDCALL;
  const std::uint64_t indexEnd = (static_cast<std::uint64_t>(startIndex) + needed) * 2;
  if (indexEnd > state_.indices->fLength()) return D3DERR_INVALIDCALL;
  // The declared vertex range must lie inside the buffer, and every index inside that range.
  const std::int64_t first = static_cast<std::int64_t>(baseVertex) + minIndex;
  const std::int64_t last = first + vertexCount;  // one past
  const std::int64_t available =
      (static_cast<std::int64_t>(state_.stream->fLength()) - state_.streamOffset) / state_.streamStride;
  if (first < 0 || last > available) return D3DERR_INVALIDCALL;
  const std::uint8_t* indices = state_.indices->fBytes() + static_cast<std::size_t>(startIndex) * 2;
  for (UINT i = 0; i < needed; ++i) {
    const std::uint16_t index = fIndexAt(indices, i);
    if (index < minIndex || index >= static_cast<std::uint64_t>(minIndex) + vertexCount) {
      return D3DERR_INVALIDCALL;
    }
  }
  DrawCall draw;
  draw.type = type;
  draw.primitiveCount = primitiveCount;
  draw.vertexData = state_.stream->fBytes() + state_.streamOffset + static_cast<std::size_t>(first) * state_.streamStride;
  draw.vertexCount = vertexCount;
  draw.stride = state_.streamStride;
  draw.fvf = state_.fvf;
  draw.indices = indices;
  draw.indexCount = needed;
  draw.indexBase = -static_cast<int>(minIndex);
  fExecuteDraw(draw);
  return D3D_OK;
}

}  // namespace host_d3d
