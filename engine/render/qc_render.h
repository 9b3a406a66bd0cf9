// The renderer: owns the device made on the game window and everything made on it. It runs the
// frame (begin, clear, end, present), the display mode with its letterbox, the fixed screen camera
// that maps game pixels to the picture, textures and render targets, and the batch through which
// every drawable reaches the device.
#pragma once

#include "engine/math/qs_point.h"
#include "engine/math/qs_transform3.h"
#include "engine/render/qc_camera.h"
#include "engine/render/qc_color.h"
#include "engine/render/qc_render_state.h"
#include "engine/render/qc_render_target.h"
#include "engine/render/qc_texture_info.h"
#include "engine/render/qs_vertex.h"
#include "host/d3d9.h"
#include "host/d3dx9.h"
#include "host/image_source.h"

#include <cstdint>
#include <map>
#include <vector>

namespace QOR {

class QC_PARTICLE;

class QC_RENDER {
 public:
  static constexpr int kBatchCapacity = 8192;     // vertices in one batch
  static constexpr int kIndexCapacity = 24570;    // 16-bit indices in one batch
  static constexpr int kPointCapacity = 4096;     // points in the point ring
  static constexpr int kPointChunk = 512;         // points locked and drawn at a time
  static constexpr int kDefaultTextureSide = 16;

  // Device states.
  static constexpr std::uint32_t kInFrame = 0;
  static constexpr std::uint32_t kIdle = 1;
  static constexpr std::uint32_t kInTarget = 2;

  QC_RENDER();
  // Destroys the texture table and the render-target map; no device object is released.
  ~QC_RENDER();
  QC_RENDER(const QC_RENDER&) = delete;
  QC_RENDER& operator=(const QC_RENDER&) = delete;

  // Device and frame.
  // Creates the device on the window (1024 x 768, windowed) and the default texture; 1 on
  // success, -1 when Direct3D or the device cannot be made.
  int fInit(HWND window, float nearPlane, float farPlane);
  // Sets the display mode and resets the device, unless the size, windowed flag and stretch
  // flag are already in force.
  void fSetResolution(int width, int height, bool fullScreen, bool stretch);
  void ResetDevice();
  bool fCreateDevice();
  void fSetLetterbox();
  void fSetViewProjection();
  void fSetScreenTransforms();
  void fSetSceneTransforms();
  // 1 when a frame has begun; -1 outside the idle state, without a device, with a lost device or
  // when the clear fails; -110 after a reset (that frame is skipped); 0 when the device refused.
  int BeginScene();
  HRESULT fClear();
  // 0 after presenting, -1 outside a frame.
  int EndScene();
  bool isFullScreen() const { return _fullScreen != 0; }
  void fSetClearColor(std::uint32_t argb) { _clearColor = argb; }
  void fGetDisplayModes(std::vector<QS_POINT>& modes);
  // A new camera on the device, owned by the caller; 0 means the back buffer's width or height.
  QC_CAMERA* fCreateCamera(int width, int height);
  void fSetCamera(QC_CAMERA* camera);
  void fCreateQuadBuffer();

  // Textures and render targets.
  QC_TEXTURE_INFO* fCreateTexture(int width, int height);
  // The image's texture, or the default texture (logged) when the file cannot be loaded.
  QC_TEXTURE_INFO* fLoadTexture(const char* fileName);
  // The image's texture, or the default texture (after a message box captioned with the name).
  QC_TEXTURE_INFO* fLoadTextureFromMemory(const void* bytes, std::size_t size, const char* name);
  // A texture from image bytes holds no pixels while unused and reads its image again when drawn;
  // read gives it the bytes from their source, so that it keeps no copy of its own. False for the
  // default texture and textures not made from an image.
  bool fSetImageReader(QC_TEXTURE_INFO* texture, host_image::IMAGE_READER read);
  // Releases a texture this renderer made; the default texture and foreign handles are kept.
  void fReleaseTexture(QC_TEXTURE_INFO* texture);
  void* fTextureLock(QC_TEXTURE_INFO* texture);
  bool fTextureUnlock(QC_TEXTURE_INFO* texture);
  // Writes width x height ARGB words, row by row, honouring the locked pitch.
  bool fTextureFill(QC_TEXTURE_INFO* texture, const std::uint32_t* argb);
  QC_RENDER_TARGET* fCreateTarget(int width, int height);
  // 1 when drawing goes into the target; -1 outside the idle state or when its clear fails; 0
  // when the device refused the scene. After a failure drawing goes to the screen again.
  int BeginTarget(QC_RENDER_TARGET* target);
  // 0 back on the screen, -1 outside a target.
  int EndTarget();
  void fReleaseTarget(QC_RENDER_TARGET* target);

  // Batched drawing.
  void fDrawBatch(const QS_VERTEX* vertices, QC_TEXTURE_INFO* texture, const QC_RENDER_STATE* state, int vertexCount,
                  const std::uint16_t* indices, int indexCount);
  void fFlush();
  bool fApplyState(const QC_RENDER_STATE* state);
  void fSetWorldTransform(const QS_TRANSFORM3& transform);
  void fSetSceneWorldTransform(const QS_TRANSFORM3& transform);
  // Draws the particle list as point sprites: the first 20 bytes of each particle, following
  // the links until the end.
  void fDrawParticles(const QC_PARTICLE* first, QC_TEXTURE_INFO* texture, const QC_RENDER_STATE* state);
  void fDrawSquare(int x, int y, std::uint32_t argb, float side);
  void fDrawLine(int x1, int y1, int x2, int y2, std::uint32_t argb);
  void fDrawLine3D(float x1, float y1, float z1, float x2, float y2, float z2, std::uint32_t argb);
  void fBeginMask();
  void fApplyMask();
  void fEndMask();

  // Small accessors.
  std::uint32_t fGetClearColor() const { return _clearColor.fGetARGB(); }
  std::uint32_t fGetDeviceState() const { return _deviceState; }
  IDirect3DDevice9* fGetDevice() const { return _device; }
  QC_TEXTURE_INFO* fGetDefaultTexture() const { return _defaultTexture; }
  QC_TEXTURE_INFO* fGetCurrentTexture() const { return _currentTexture; }
  QC_RENDER_STATE fGetCurrentState() const { return _currentState; }
  std::uint32_t fGetDrawCount() const { return _statDraws; }
  std::uint32_t fGetFlushCount() const { return _statFlushes; }
  std::uint32_t fGetStateChangeCount() const { return _statStates; }
  int fGetBatchVertexCount() const { return _batchVertexCount; }
  int fGetBatchIndexCount() const { return _batchIndexCount; }
  int fGetPointRing() const { return _pointRing; }
  float fGetNear() const { return _near; }
  float fGetFar() const { return _far; }
  bool isStretch() const { return _stretch != 0; }
  QS_POINT fGetGameSize() const { return QS_POINT(_gameWidth, _gameHeight); }
  QS_POINT fGetScreenSize() const { return QS_POINT(_screenWidth, _screenHeight); }
  QS_POINT fGetBackBufferSize() const {
    return QS_POINT(static_cast<int>(_presentParameters.BackBufferWidth),
                    static_cast<int>(_presentParameters.BackBufferHeight));
  }
  const D3DPRESENT_PARAMETERS& fGetPresentParameters() const { return _presentParameters; }
  DWORD fGetCreateFlags() const { return _createFlags; }
  D3DDEVTYPE fGetDeviceType() const { return _deviceType; }
  const D3DXMATRIX& fGetLetterbox() const { return _letterbox; }
  const D3DXMATRIX& fGetScreenWorldBase() const { return _screenWorldBase; }
  const D3DXMATRIX& fGetScreenView() const { return _screenView; }
  const D3DXMATRIX& fGetScreenProjection() const { return _screenProjection; }
  const D3DXMATRIX& fGetBatchWorld() const { return _batchWorld; }
  const D3DXMATRIX& fGetSceneWorld() const { return _sceneWorld; }
  QC_CAMERA* fGetCamera() const { return _camera; }

 private:
  void fSetTransforms(const D3DXMATRIX& world, const D3DXMATRIX* view, const D3DXMATRIX& projection);
  void fBindTexture(IDirect3DTexture9* texture);
  QC_TEXTURE_INFO* fFailedLoad();
  QC_TEXTURE_INFO* fAddTexture(IDirect3DTexture9* texture, int width, int height);
  void fReleaseDeviceBuffers();
  void fCreateDeviceBuffers();
  void fRestoreTargets();
  void fReturnToScreen();
  void fDrawShape(const QS_VERTEX* vertices, int count, const std::uint16_t* indices, int indexCount,
                  const QC_RENDER_STATE& state);

  // Frame statistics, zeroed by every successful BeginScene.
  std::uint32_t _statDraws;
  std::uint32_t _statFlushes;
  std::uint32_t _statStates;
  QC_COLOR32 _clearColor;
  QC_RENDER_STATE _currentState;
  QC_TEXTURE_INFO* _currentTexture;
  QC_TEXTURE_INFO* _defaultTexture;
  std::uint32_t _deviceState;
  HWND _window;
  std::map<IDirect3DTexture9*, QC_TEXTURE_INFO*> _textures;
  std::map<std::uint32_t, QC_RENDER_TARGET*> _targets;
  std::uint16_t _targetCounter;
  float _near;
  float _far;
  D3DXMATRIX _sceneWorld;
  D3DXMATRIX _batchWorld;
  D3DXMATRIX _screenWorldBase;
  D3DXMATRIX _screenView;
  D3DXMATRIX _screenProjection;
  int _pointRing;
  int _batchVertexCount;
  int _batchIndexCount;
  QC_CAMERA* _camera;
  IDirect3DSurface9* _backBuffer;
  IDirect3D9* _direct3D;
  IDirect3DDevice9* _device;
  IDirect3DVertexBuffer9* _batchVertices;
  IDirect3DVertexBuffer9* _pointVertices;
  IDirect3DIndexBuffer9* _batchIndices;
  IDirect3DVertexBuffer9* _quadBuffer;
  D3DPRESENT_PARAMETERS _presentParameters;
  DWORD _createFlags;
  D3DDEVTYPE _deviceType;
  std::uint8_t _stretch;
  std::uint8_t _fullScreen;
  int _gameWidth;
  int _gameHeight;
  int _screenWidth;
  int _screenHeight;
  D3DXMATRIX _letterbox;
  std::uint8_t _maskReference;
};

// The renderer that QC_TEXTURE_INFO::fFill reaches: the last one constructed.
extern QC_RENDER* qcCurrentRender;

}  // namespace QOR
