// The OpenGL implementation of the device, on the SDL window of the focus window. The back
// buffer is a framebuffer of the present parameters' size, stored top row first like every
// render target; Present shows it in the window, scaled to the window's size.
//
// Clears and draws are kept, with the state they were issued in, until the frame is presented
// (or until a texture's pixels change or are read, or the back buffer is read or remade), and are
// carried out then. A presented frame that repeats the commands of the picture on screen, over
// unchanged textures, in an unchanged window, is not drawn again: the window keeps showing it.
#pragma once

#include "host/src/d3d9/host_device.h"
#include "host/src/gl/gl_frame.h"
#include "host/src/gl/gl_present.h"
#include "host/src/gl/gl_program.h"
#include "host/src/gl/gl_texture.h"

#include <memory>
#include <vector>

namespace host_gl {

class GlDevice final : public host_d3d::HostDevice {
 public:
  // A device on the window, or null when no OpenGL 3.3 context can be made on it.
  static GlDevice* fCreate(SDL_Window* window, const D3DPRESENT_PARAMETERS& parameters);

  // The back buffer as RGBA rows from the top, alpha 255.
  bool fReadBack(int& width, int& height, std::vector<std::uint8_t>& rgba);

 protected:
  HRESULT fExecuteClear(DWORD flags, D3DCOLOR color, float z, DWORD stencil) override;
  void fExecuteDraw(const host_d3d::DrawCall& draw) override;
  HRESULT fExecutePresent() override;
  void fOnReset() override;
  host_d3d::MemoryTexture* fMakeTexture(UINT width, UINT height, DWORD usage, D3DFORMAT format,
                                        D3DPOOL pool) override;
  void fResolveBackBuffer(D3DPRESENT_PARAMETERS& parameters) override;

 private:
  GlDevice(const D3DPRESENT_PARAMETERS& parameters, std::shared_ptr<GlContext> context);
  ~GlDevice() override;
  bool fSetUp();
  bool fMakeBackBuffer();
  // The back buffer's depth and stencil storage is made when a draw first tests depth or stencil
  // on it; until then clears only remember the values they ask for.
  void fEnsureBackDepth();
  void fDeleteBackBuffer();
  // Carries out the frame's commands that wait now (the frame is then no longer whole).
  void fFlush();
  void fCarryOut();
  // Binds the command's target (its framebuffer and the whole of it as viewport); true when that
  // is the back buffer.
  bool fBindTarget(const host_d3d::DeviceState& state);
  void fClearNow(const GlCommand& command);
  void fDrawNow(const host_d3d::DeviceState& state, const host_d3d::DrawCall& draw);
  void fApplyPipeline(const host_d3d::DeviceState& state, bool cull);
  void fApplyUniforms(const host_d3d::DeviceState& state, bool preTransformed, bool pointSprite);
  void fBindVertices(const std::uint8_t* data, std::size_t bytes, UINT stride, DWORD fvf);
  // Draws points as two triangles each, on the processor, when a size exceeds the driver's limit.
  void fDrawExpandedPoints(const host_d3d::DeviceState& state, const host_d3d::DrawCall& draw);

  std::shared_ptr<GlContext> context_;
  GlProgram program_;
  GlPresenter presenter_;
  GLuint vertexArray_ = 0;
  GLuint vertexBuffer_ = 0;
  GLuint indexBuffer_ = 0;
  GLuint sampler_ = 0;
  GLuint backFramebuffer_ = 0;
  GLuint backColor_ = 0;  // a texture
  GLuint backDepth_ = 0;  // 0 until a draw needs it
  float pendingDepth_ = 1.0f;
  GLint pendingStencil_ = 0;
  UINT targetWidth_ = 1;
  UINT targetHeight_ = 1;
  float maxPointSize_ = 1.0f;
  std::vector<std::uint8_t> expanded_;
  // The commands waiting since the last present or flush; whether none was carried out before
  // the present. A frame that issues very many commands is carried out in parts.
  static constexpr std::size_t kMaxWaitingCommands = 4096;
  GlFrame frame_;
  bool frameWhole_ = true;
  // The commands of the picture on screen, while it may stand for a repeat of them (shownValid_),
  // and what else it depended on: the texture changes, the window's size and exposures.
  GlFrame shown_;
  bool shownValid_ = false;
  std::uint64_t shownPixelChanges_ = 0;
  int shownWidth_ = 0;
  int shownHeight_ = 0;
  unsigned shownExposures_ = 0;
};

// The largest point the driver draws, or the smaller limit a test set (0 clears it).
float fPointSizeLimit(float driverLimit);
void fSetPointSizeLimit(float limit);

}  // namespace host_gl
