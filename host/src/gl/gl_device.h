// The OpenGL implementation of the device, on the SDL window of the focus window. The back
// buffer is a framebuffer of the present parameters' size, stored top row first like every
// render target; Present shows it in the window, scaled to the window's size.
#pragma once

#include "host/src/d3d9/host_device.h"
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
  void fOnRenderTargetChanged() override;
  void fOnReset() override;
  host_d3d::MemoryTexture* fMakeTexture(UINT width, UINT height, DWORD usage, D3DFORMAT format,
                                        D3DPOOL pool) override;
  void fResolveBackBuffer(D3DPRESENT_PARAMETERS& parameters) override;

 private:
  GlDevice(const D3DPRESENT_PARAMETERS& parameters, std::shared_ptr<GlContext> context);
  ~GlDevice() override;
  bool fSetUp();
  bool fMakeBackBuffer();
  void fDeleteBackBuffer();
  void fApplyPipeline(bool cull);
  void fApplyUniforms(bool preTransformed, bool pointSprite);
  void fBindVertices(const std::uint8_t* data, std::size_t bytes, UINT stride, DWORD fvf);
  // Draws points as two triangles each, on the processor, when a size exceeds the driver's limit.
  void fDrawExpandedPoints(const host_d3d::DrawCall& draw);

  std::shared_ptr<GlContext> context_;
  GlProgram program_;
  GLuint vertexArray_ = 0;
  GLuint vertexBuffer_ = 0;
  GLuint indexBuffer_ = 0;
  GLuint sampler_ = 0;
  GLuint backFramebuffer_ = 0;
  GLuint backColor_ = 0;
  GLuint backDepth_ = 0;
  UINT targetWidth_ = 1;
  UINT targetHeight_ = 1;
  float maxPointSize_ = 1.0f;
  std::vector<std::uint8_t> expanded_;
};

// The largest point the driver draws, or the smaller limit a test set (0 clears it).
float fPointSizeLimit(float driverLimit);
void fSetPointSizeLimit(float limit);

}  // namespace host_gl
