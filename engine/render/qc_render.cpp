// The renderer's device and frame: creation, display mode, reset, letterbox, the screen camera,
// the transform sets, begin and end of a frame.
#include "engine/render/qc_render.h"

#include "engine/platform/qc_window.h"
#include "engine/render/render_text.h"
#include "engine/service/qc_log.h"

#include <cmath>
#include <string>

namespace QOR {

QC_RENDER* qcCurrentRender = nullptr;

namespace {

constexpr float kPi = 3.14159265358979f;

}  // namespace

QC_RENDER::QC_RENDER()
    : _statDraws(0),
      _statFlushes(0),
      _statStates(0),
      _clearColor(0xFF444444u),
      _currentTexture(nullptr),
      _defaultTexture(nullptr),
      _deviceState(kIdle),
      _window(nullptr),
      _targetCounter(0),
      _near(0.0f),
      _far(0.0f),
      _pointRing(0),
      _batchVertexCount(0),
      _batchIndexCount(0),
      _camera(nullptr),
      _backBuffer(nullptr),
      _direct3D(nullptr),
      _device(nullptr),
      _batchVertices(nullptr),
      _pointVertices(nullptr),
      _batchIndices(nullptr),
      _quadBuffer(nullptr),
      _presentParameters{},
      _createFlags(0),
      _deviceType(D3DDEVTYPE_HAL),
      _stretch(0),
      _fullScreen(0),
      _gameWidth(0),
      _gameHeight(0),
      _screenWidth(0),
      _screenHeight(0),
      _maskReference(0xFF) {
  D3DXMatrixIdentity(&_sceneWorld);
  D3DXMatrixIdentity(&_batchWorld);
  D3DXMatrixIdentity(&_screenWorldBase);
  D3DXMatrixIdentity(&_screenView);
  D3DXMatrixIdentity(&_screenProjection);
  D3DXMatrixIdentity(&_letterbox);
  qcCurrentRender = this;
}

QC_RENDER::~QC_RENDER() {
  _textures.clear();
  _targets.clear();
  if (qcCurrentRender == this) qcCurrentRender = nullptr;
}

int QC_RENDER::fInit(HWND window, float nearPlane, float farPlane) {
  fLog("===========================\nRender initialisation");
  _window = window;
  _near = nearPlane;
  _far = farPlane;
  _direct3D = Direct3DCreate9(D3D_SDK_VERSION);
  if (_direct3D == nullptr) {
    fLog("DirectX 9 can't start");
    return -1;
  }
  fLog("QC_RENDER::fInit() DirectX start");
  _presentParameters.Windowed = TRUE;
  _presentParameters.EnableAutoDepthStencil = TRUE;
  _presentParameters.AutoDepthStencilFormat = D3DFMT_D24S8;
  _presentParameters.SwapEffect = D3DSWAPEFFECT_COPY;
  _presentParameters.BackBufferCount = 1;
  _presentParameters.BackBufferFormat = D3DFMT_UNKNOWN;
  _presentParameters.BackBufferWidth = 0;
  _presentParameters.BackBufferHeight = 0;
  _presentParameters.PresentationInterval = D3DPRESENT_INTERVAL_ONE;

  fLog("QC_RENDER::fInit() RESOLUTION CHANGE");
  fSetResolution(1024, 768, false, false);
  fLog("QC_RENDER::fInit() RESOLUTION CHANGE OK");
  // Without a device nothing can be drawn: report it rather than claim success.
  if (_device == nullptr) return -1;

  _defaultTexture = fCreateTexture(kDefaultTextureSide, kDefaultTextureSide);
  fLog("QC_RENDER::fInit() DEFAULT TEXTURE CREATE OK");
  if (_defaultTexture != nullptr) {
    // Four 8 x 8 blocks: top-left, top-right, bottom-left, bottom-right.
    std::uint32_t pixels[kDefaultTextureSide * kDefaultTextureSide];
    const int half = kDefaultTextureSide / 2;
    for (int y = 0; y < kDefaultTextureSide; ++y) {
      for (int x = 0; x < kDefaultTextureSide; ++x) {
        std::uint32_t color = 0;
        if (y < half) {
          color = x < half ? 0xFFFF2400u : 0xFF3CAA3Cu;
        } else {
          color = x < half ? 0xFFFDE910u : 0xFF3C57A9u;
        }
        pixels[y * kDefaultTextureSide + x] = color;
      }
    }
    _defaultTexture->fFill(pixels);
  }
  fLog("QC_RENDER::fInit() DEFAULT TEXTURE FILL OK");
  fSetScreenTransforms();
  fLog("QC_RENDER::fInit() OK\n===========================");
  return 1;
}

void QC_RENDER::fSetResolution(int width, int height, bool fullScreen, bool stretch) {
  // A picture needs at least one pixel each way.
  if (width <= 0 || height <= 0) return;
  if (static_cast<int>(_presentParameters.BackBufferWidth) == width &&
      static_cast<int>(_presentParameters.BackBufferHeight) == height &&
      (_presentParameters.Windowed != FALSE) == !fullScreen && (_stretch != 0) == stretch) {
    return;
  }
  _fullScreen = fullScreen ? 1 : 0;
  _stretch = stretch ? 1 : 0;
  _presentParameters.Windowed = fullScreen ? FALSE : TRUE;
  _presentParameters.BackBufferWidth = static_cast<UINT>(width);
  _presentParameters.BackBufferHeight = static_cast<UINT>(height);
  _gameWidth = width;
  _gameHeight = height;
  if (fullScreen) {
    if (stretch) {
      int desktopWidth = 0;
      int desktopHeight = 0;
      QC_WINDOW::fGetDesktopSize(desktopWidth, desktopHeight);
      if (desktopWidth > 0 && desktopHeight > 0) {
        _screenWidth = desktopWidth;
        _screenHeight = desktopHeight;
        _presentParameters.BackBufferWidth = static_cast<UINT>(desktopWidth);
        _presentParameters.BackBufferHeight = static_cast<UINT>(desktopHeight);
      }
    }
    _presentParameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    _presentParameters.FullScreen_RefreshRateInHz = 0;
  } else {
    _screenWidth = width;
    _screenHeight = height;
    _presentParameters.BackBufferFormat = D3DFMT_UNKNOWN;
  }
  ResetDevice();
}

void QC_RENDER::fReleaseDeviceBuffers() {
  if (_batchVertices != nullptr) _batchVertices->Release();
  if (_batchIndices != nullptr) _batchIndices->Release();
  if (_pointVertices != nullptr) _pointVertices->Release();
  if (_backBuffer != nullptr) _backBuffer->Release();
  _batchVertices = nullptr;
  _batchIndices = nullptr;
  _pointVertices = nullptr;
  _backBuffer = nullptr;
}

void QC_RENDER::fCreateDeviceBuffers() {
  _device->CreateVertexBuffer(kBatchCapacity * sizeof(QS_VERTEX), D3DUSAGE_DYNAMIC, QS_VERTEX::kFvf, D3DPOOL_DEFAULT,
                              &_batchVertices, nullptr);
  _batchVertexCount = 0;
  _device->CreateIndexBuffer(kBatchCapacity * 6 - 12, D3DUSAGE_DYNAMIC, D3DFMT_INDEX16, D3DPOOL_DEFAULT,
                             &_batchIndices, nullptr);
  _batchIndexCount = 0;
  _device->CreateVertexBuffer(kPointCapacity * sizeof(QS_POINT_VERTEX),
                              D3DUSAGE_DYNAMIC | D3DUSAGE_POINTS | D3DUSAGE_WRITEONLY, QS_POINT_VERTEX::kFvf,
                              D3DPOOL_DEFAULT, &_pointVertices, nullptr);
  _pointRing = 0;
}

void QC_RENDER::ResetDevice() {
  fLog("ResetDevice");
  fReleaseDeviceBuffers();
  // The spare quad buffer lives in the default pool too and would block the reset.
  const bool hadQuadBuffer = _quadBuffer != nullptr;
  if (_quadBuffer != nullptr) _quadBuffer->Release();
  _quadBuffer = nullptr;
  // A target keeps its texture object across the reset (callers may hold it); the device gives
  // it new storage. Only the surface reference is dropped and taken again.
  for (auto& entry : _targets) {
    if (entry.second->_surface != nullptr) entry.second->_surface->Release();
    entry.second->_surface = nullptr;
  }

  if (_device != nullptr) {
    const HRESULT result = _device->Reset(&_presentParameters);
    if (FAILED(result)) {
      fLog("ERROR RESET");
      if (result == D3DERR_DEVICELOST) fLog("D3DERR_DEVICELOST");
      if (result == D3DERR_DEVICEREMOVED) fLog("D3DERR_DEVICEREMOVED");
      if (result == D3DERR_DRIVERINTERNALERROR) fLog("D3DERR_DRIVERINTERNALERROR");
      if (result == D3DERR_OUTOFVIDEOMEMORY) fLog("D3DERR_OUTOFVIDEOMEMORY");
      return;
    }
  } else if (!fCreateDevice()) {
    fLog("Can't create device");
    return;
  }

  fCreateDeviceBuffers();
  if (hadQuadBuffer) fCreateQuadBuffer();
  fRestoreTargets();

  _currentState.fClear();
  _currentState.fSet(QC_RENDER_STATE::kAlphaBlend, true);
  _currentState.fSet(QC_RENDER_STATE::kOpaque, false);
  _currentState.fSet(QC_RENDER_STATE::kScreen, true);

  _device->SetRenderState(D3DRS_ZENABLE, FALSE);
  _device->SetRenderState(D3DRS_LIGHTING, FALSE);
  _device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  _device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  _device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  _device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  _device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  _device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  _device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  _device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  _device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);

  _device->GetRenderTarget(0, &_backBuffer);
  fSetLetterbox();
  fSetViewProjection();
}

bool QC_RENDER::fCreateDevice() {
  if (_direct3D == nullptr) return false;
  // Each attempt names its flags whole, so a retry never carries over a vertex-processing flag
  // of an earlier one.
  struct Attempt {
    D3DDEVTYPE type;
    DWORD flags;
  };
  const Attempt attempts[] = {
      {D3DDEVTYPE_HAL, D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED},
      {D3DDEVTYPE_HAL, D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED},
      {D3DDEVTYPE_HAL, D3DCREATE_MIXED_VERTEXPROCESSING | D3DCREATE_MULTITHREADED},
      {D3DDEVTYPE_HAL, D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED},
      {D3DDEVTYPE_REF, D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED},
  };
  for (const Attempt& attempt : attempts) {
    _deviceType = attempt.type;
    _createFlags = attempt.flags;
    IDirect3DDevice9* device = nullptr;
    if (SUCCEEDED(_direct3D->CreateDevice(D3DADAPTER_DEFAULT, _deviceType, _window, _createFlags,
                                          &_presentParameters, &device)) &&
        device != nullptr) {
      _device = device;
      return true;
    }
  }
  return false;
}

void QC_RENDER::fSetLetterbox() {
  if (_stretch == 0) return;
  D3DXMatrixIdentity(&_letterbox);
  if (_gameWidth <= 0 || _gameHeight <= 0 || _screenWidth <= 0 || _screenHeight <= 0) return;
  if (_gameWidth == _screenWidth && _gameHeight == _screenHeight) return;
  const float sx = static_cast<float>(_screenWidth) / static_cast<float>(_gameWidth);
  const float sy = static_cast<float>(_screenHeight) / static_cast<float>(_gameHeight);
  if (sx > sy) {
    D3DXMatrixScaling(&_letterbox, sy / sx, 1.0f, 1.0f);
  } else if (sy > sx) {
    D3DXMatrixScaling(&_letterbox, 1.0f, sx / sy, 1.0f);
  }
}

void QC_RENDER::fSetViewProjection() {
  // Game y grows downward and larger z comes toward the viewer: mirror y and z.
  D3DXMatrixIdentity(&_screenWorldBase);
  D3DXMatrixRotationYawPitchRoll(&_screenWorldBase, kPi, 0.0f, kPi);
  _sceneWorld = _screenWorldBase;

  const float w = static_cast<float>(_gameWidth + 1);
  const float h = static_cast<float>(_gameHeight + 1);
  fLog() << "_presentParameters.BackBufferWidth" << "= " << std::to_string(_presentParameters.BackBufferWidth);
  fLog() << "_presentParameters.BackBufferHeight" << "= " << std::to_string(_presentParameters.BackBufferHeight);
  // The distance at which a 45-degree view spans the picture's height.
  const float d = (h / 2.0f) / std::tan(kPi / 8.0f);
  fLog(fRenderFloatText(d));

  const D3DXVECTOR3 eye(w / 2.0f, -h / 2.0f, -d);
  const D3DXVECTOR3 at(w / 2.0f, -h / 2.0f, 0.0f);
  const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
  fLog(fRenderVectorText(eye.x, eye.y, eye.z));
  fLog(fRenderVectorText(at.x, at.y, at.z));
  fLog(fRenderVectorText(up.x, up.y, up.z));
  D3DXMatrixIdentity(&_screenView);
  D3DXMatrixLookAtLH(&_screenView, &eye, &at, &up);

  // The far plane is fixed once, from the first game size.
  if (_far == 0.0f) _far = 2.0f * d;
  D3DXMatrixIdentity(&_screenProjection);
  D3DXMatrixPerspectiveFovLH(&_screenProjection, kPi / 4.0f, w / h, _near, _far);
  D3DXMatrixMultiply(&_screenProjection, &_screenProjection, &_letterbox);

  if (_device != nullptr) {
    if (FAILED(_device->SetTransform(D3DTS_WORLD, &_screenWorldBase))) fLog("SET TRANSFORM ERROR");
    if (FAILED(_device->SetTransform(D3DTS_VIEW, &_screenView))) fLog("SET TRANSFORM ERROR");
    if (FAILED(_device->SetTransform(D3DTS_PROJECTION, &_screenProjection))) fLog("SET TRANSFORM ERROR");
  }
  D3DXMatrixIdentity(&_batchWorld);
}

void QC_RENDER::fSetTransforms(const D3DXMATRIX& world, const D3DXMATRIX* view, const D3DXMATRIX& projection) {
  if (_device == nullptr) return;
  _device->SetTransform(D3DTS_WORLD, &world);
  if (view != nullptr) _device->SetTransform(D3DTS_VIEW, view);
  _device->SetTransform(D3DTS_PROJECTION, &projection);
}

void QC_RENDER::fSetScreenTransforms() {
  fFlush();
  fSetTransforms(_screenWorldBase, &_screenView, _screenProjection);
}

void QC_RENDER::fSetSceneTransforms() {
  fFlush();
  if (_device == nullptr) return;
  _device->SetTransform(D3DTS_WORLD, &_sceneWorld);
  if (_camera != nullptr && _deviceState != kInTarget) {
    const D3DMATRIX view = _camera->fGetViewMatrix();
    _device->SetTransform(D3DTS_VIEW, &view);
  }
}

int QC_RENDER::BeginScene() {
  if (_deviceState != kIdle || _device == nullptr) return -1;
  const HRESULT level = _device->TestCooperativeLevel();
  if (level == D3DERR_DEVICELOST) return -1;
  if (level == D3DERR_DEVICENOTRESET) {
    ResetDevice();
    return -110;
  }
  if (FAILED(_device->BeginScene())) {
    fLog("ERROR BeginScene");
    return 0;
  }
  if (FAILED(fClear())) {
    // Close the scene just begun, so the next frame can begin again.
    _device->EndScene();
    return -1;
  }
  _deviceState = kInFrame;
  _statDraws = 0;
  _statFlushes = 0;
  _statStates = 0;
  return 1;
}

HRESULT QC_RENDER::fClear() {
  if (_device == nullptr) return D3DERR_INVALIDCALL;
  return _device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, _clearColor.fGetARGB(), 1.0f, 0);
}

int QC_RENDER::EndScene() {
  if (_deviceState != kInFrame || _device == nullptr) return -1;
  if (_batchVertexCount > 0) fFlush();
  _device->EndScene();
  _device->Present(nullptr, nullptr, nullptr, nullptr);
  _deviceState = kIdle;
  return 0;
}

void QC_RENDER::fGetDisplayModes(std::vector<QS_POINT>& modes) {
  modes.clear();
  if (_direct3D == nullptr) return;
  const UINT count = _direct3D->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8);
  fLog() << "modes_count" << "= " << std::to_string(count);
  for (UINT i = 0; i < count; ++i) {
    D3DDISPLAYMODE mode{};
    if (FAILED(_direct3D->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8, i, &mode))) continue;
    if (mode.Height <= mode.Width && mode.RefreshRate == 60) {
      modes.emplace_back(static_cast<int>(mode.Width), static_cast<int>(mode.Height));
    }
  }
}

QC_CAMERA* QC_RENDER::fCreateCamera(int width, int height) {
  const int w = width == 0 ? static_cast<int>(_presentParameters.BackBufferWidth) : width;
  const int h = height == 0 ? static_cast<int>(_presentParameters.BackBufferHeight) : height;
  return new QC_CAMERA(_device, static_cast<float>(w), static_cast<float>(h));
}

void QC_RENDER::fSetCamera(QC_CAMERA* camera) {
  _camera = camera;
  if (_camera != nullptr && _device != nullptr) {
    const D3DMATRIX view = _camera->fGetViewMatrix();
    _device->SetTransform(D3DTS_VIEW, &view);
  }
}

void QC_RENDER::fCreateQuadBuffer() {
  if (_device == nullptr) return;
  if (_quadBuffer != nullptr) _quadBuffer->Release();
  _quadBuffer = nullptr;
  _device->CreateVertexBuffer(4 * sizeof(QS_VERTEX), D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, QS_VERTEX::kFvf,
                              D3DPOOL_DEFAULT, &_quadBuffer, nullptr);
}

}  // namespace QOR
