// The OpenGL implementation of the device, on the SDL window of the focus window. The back
// buffer is a framebuffer of the present parameters' size, stored top row first like every
// render target; Present shows it in the window, scaled to the window's size.
//
// Clears and draws are kept, with the state they were issued in, until the frame is presented
// (or until a texture's pixels change or are read, or the back buffer is read or remade), and are
// carried out then. A presented frame is compared with the picture the back buffer holds: only
// the boxes its changed commands cover are drawn again (every command replayed under a scissor),
// and only those boxes are shown where the window allows it; a frame that repeats the picture is
// not drawn at all. Textures made from images are read when first drawn and give their storage
// back once no frame has drawn them for a while.
#pragma once

#include "host/src/d3d9/host_device.h"
#include "host/src/gl/gl_damage.h"
#include "host/src/gl/gl_frame.h"
#include "host/src/gl/gl_present.h"
#include "host/src/gl/gl_program.h"
#include "host/src/gl/gl_texture.h"
#include "host/src/gl/gl_window_copy.h"

#include <chrono>
#include <map>
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
  // Carries out the frame's commands; with changes, once per changed box under its scissor, each
  // time only the commands whose bounds meet the box, from the box's start when one holds.
  void fCarryOut(const GlChanges* changes = nullptr, const std::vector<GlRect>* bounds = nullptr);
  // A box's pixels as a frame's first commands left them, kept for the next frame that begins with
  // the same commands and draws the same box again: its redraw goes on from there, past the
  // unchanged picture under a blinking sprite.
  struct BoxStart {
    GlRect box;
    std::size_t commands = 0;  // how many of the frame's first commands the pixels hold
    GLuint texture = 0;
    GLuint framebuffer = 0;
    GLsizei width = 0;
    GLsizei height = 0;
  };
  // Copies the box of the back buffer into the start (made or resized as needed), or back.
  void fCopyBoxStart(BoxStart& start, bool save);
  void fDropBoxStarts();
  // Binds the command's target (its framebuffer and the whole of it as viewport) and scissors the
  // back buffer to the box being drawn again; true when the target is the back buffer.
  bool fBindTarget(const host_d3d::DeviceState& state);
  void fApplyScissor(bool backBuffer);
  // Shows the back buffer in the window: only the boxes, where they may be shown alone, or all.
  void fShowWindow(int windowWidth, int windowHeight, const std::vector<GlRect>* boxes);
  // Notes a command's texture as drawn in this frame, and a command's target as changed.
  void fNoteUse(const host_d3d::DeviceState& state);
  // Gives back the storage of image textures that no frame drew for the rest time.
  void fGiveBackUnused();
  void fClearNow(const GlCommand& command);
  void fDrawNow(const host_d3d::DeviceState& state, const host_d3d::DrawCall& draw);
  void fApplyPipeline(const host_d3d::DeviceState& state, bool cull);
  void fApplyUniforms(const host_d3d::DeviceState& state, bool preTransformed, bool pointSprite);
  // The shaders for a program key, made on first use.
  const GlProgram& fProgramFor(std::uint32_t key);
  void fBindVertices(const std::uint8_t* data, std::size_t bytes, UINT stride, DWORD fvf);
  // Narrows a triangle list to the triangles that reach the box, in their order; false when none
  // does. Leaves the draw as it is when all do.
  bool fKeepTrianglesIn(const GlRect& box, const host_d3d::DeviceState& state, host_d3d::DrawCall& draw);
  // Draws points as two triangles each, on the processor, when a size exceeds the driver's limit.
  void fDrawExpandedPoints(const host_d3d::DeviceState& state, const host_d3d::DrawCall& draw);

  std::shared_ptr<GlContext> context_;
  std::map<std::uint32_t, GlProgram> programs_;
  const GlProgram* current_ = nullptr;  // the program of the draw being carried out
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
  std::vector<std::uint8_t> boxIndices_;  // the triangles of a draw that reach the box being drawn
  // The commands waiting since the last present or flush; whether none was carried out before
  // the present. A frame that issues very many commands is carried out in parts.
  static constexpr std::size_t kMaxWaitingCommands = 4096;
  GlFrame frame_;
  bool frameWhole_ = true;
  // The commands of the picture the back buffer holds, with their bounds, while the picture
  // depends on them alone (shownValid_); the window's size and exposures when it was shown.
  GlFrame shown_;
  std::vector<GlRect> shownBounds_;
  bool shownValid_ = false;
  int shownWidth_ = 0;
  int shownHeight_ = 0;
  unsigned shownExposures_ = 0;
  // The box being drawn again while a frame is carried out in boxes, and the starts of the boxes
  // the last frame drew.
  const GlRect* scissor_ = nullptr;
  std::vector<BoxStart> boxStarts_;
  // Parts of pictures go to the window without a swap where the driver allows it; the window size
  // of the last swap, and whether the next picture must be shown whole.
  GlWindowCopy windowCopy_;
  int swappedWidth_ = 0;
  int swappedHeight_ = 0;
  bool showWhole_ = true;
  std::vector<std::uint8_t> boxPixels_;  // a box read back for the window
  // When the frame being recorded began; when unused textures were last looked for.
  std::chrono::steady_clock::time_point frameStart_;
  std::chrono::steady_clock::time_point lastGiveBack_;
};

// The largest point the driver draws, or the smaller limit a test set (0 clears it).
float fPointSizeLimit(float driverLimit);
void fSetPointSizeLimit(float limit);
// Whether changed frames are drawn in boxes (a test turns it off to compare with whole frames).
bool fPartialRedraw();
void fSetPartialRedraw(bool on);
// How long an image texture no frame draws keeps its storage (a test may shorten it).
std::chrono::milliseconds fTextureRest();
void fSetTextureRest(std::chrono::milliseconds rest);

}  // namespace host_gl
