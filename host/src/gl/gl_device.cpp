#include "host/src/gl/gl_device.h"

#include "host/src/host_internal.h"

#include <algorithm>
#include <cstring>
#include <optional>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace host_gl {

namespace {

float g_pointSizeLimit = 0.0f;  // a test's limit; 0 for the driver's own
bool g_partialRedraw = true;
std::chrono::milliseconds g_textureRest{3000};
// Unused textures are looked for at most this often.
constexpr std::chrono::milliseconds kGiveBackLook{1000};

GLenum blendFactor(DWORD value) {
  switch (value) {
    case D3DBLEND_ZERO:
      return GL_ZERO;
    case D3DBLEND_ONE:
      return GL_ONE;
    case D3DBLEND_SRCCOLOR:
      return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
      return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA:
      return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
      return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA:
      return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA:
      return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR:
      return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR:
      return GL_ONE_MINUS_DST_COLOR;
    default:
      return GL_ONE;
  }
}

GLenum compareFunction(DWORD value) {
  switch (value) {
    case D3DCMP_NEVER:
      return GL_NEVER;
    case D3DCMP_LESS:
      return GL_LESS;
    case D3DCMP_EQUAL:
      return GL_EQUAL;
    case D3DCMP_LESSEQUAL:
      return GL_LEQUAL;
    case D3DCMP_GREATER:
      return GL_GREATER;
    case D3DCMP_NOTEQUAL:
      return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL:
      return GL_GEQUAL;
    default:
      return GL_ALWAYS;
  }
}

GLenum stencilOperation(DWORD value) {
  switch (value) {
    case D3DSTENCILOP_ZERO:
      return GL_ZERO;
    case D3DSTENCILOP_REPLACE:
      return GL_REPLACE;
    case D3DSTENCILOP_INCRSAT:
      return GL_INCR;
    case D3DSTENCILOP_DECRSAT:
      return GL_DECR;
    case D3DSTENCILOP_INVERT:
      return GL_INVERT;
    case D3DSTENCILOP_INCR:
      return GL_INCR_WRAP;
    case D3DSTENCILOP_DECR:
      return GL_DECR_WRAP;
    default:
      return GL_KEEP;
  }
}

GLenum primitiveMode(D3DPRIMITIVETYPE type) {
  switch (type) {
    case D3DPT_POINTLIST:
      return GL_POINTS;
    case D3DPT_LINELIST:
      return GL_LINES;
    case D3DPT_LINESTRIP:
      return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST:
      return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP:
      return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN:
      return GL_TRIANGLE_FAN;
  }
  return GL_POINTS;
}

GLint filterOf(DWORD value) { return value == D3DTEXF_LINEAR || value == D3DTEXF_ANISOTROPIC ? GL_LINEAR : GL_NEAREST; }

GLint addressOf(DWORD value) {
  switch (value) {
    case D3DTADDRESS_MIRROR:
      return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP:
      return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER:
      return GL_CLAMP_TO_BORDER;
    default:
      return GL_REPEAT;
  }
}

float readFloat(const std::uint8_t* at) {
  float value = 0.0f;
  std::memcpy(&value, at, sizeof(value));
  return value;
}

// The vertex layout of expanded point quads: clip x, y, z, then w in the point-size slot.
constexpr DWORD kExpandedFvf = D3DFVF_XYZ | D3DFVF_PSIZE | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr UINT kExpandedStride = 28;

}  // namespace

float fPointSizeLimit(float driverLimit) {
  return g_pointSizeLimit > 0.0f ? std::min(g_pointSizeLimit, driverLimit) : driverLimit;
}

void fSetPointSizeLimit(float limit) { g_pointSizeLimit = limit; }

bool fPartialRedraw() { return g_partialRedraw; }
void fSetPartialRedraw(bool on) { g_partialRedraw = on; }

std::chrono::milliseconds fTextureRest() { return g_textureRest; }
void fSetTextureRest(std::chrono::milliseconds rest) { g_textureRest = rest; }

GlDevice* GlDevice::fCreate(SDL_Window* window, const D3DPRESENT_PARAMETERS& parameters) {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) return nullptr;
  SDL_GL_MakeCurrent(window, context);
  if (!fLoadFunctions()) {
    SDL_GL_DeleteContext(context);
    return nullptr;
  }
  auto shared = std::make_shared<GlContext>();
  shared->window = window;
  shared->context = context;
  shared->alive = true;
  GlDevice* device = new GlDevice(parameters, shared);
  shared->flush = [device] { device->fFlush(); };
  if (!device->fSetUp()) {
    device->Release();
    return nullptr;
  }
  return device;
}

GlDevice::GlDevice(const D3DPRESENT_PARAMETERS& parameters, std::shared_ptr<GlContext> context)
    : HostDevice(parameters), context_(std::move(context)) {
  fInitBackBuffer();
}

GlDevice::~GlDevice() {
  // A frame never presented is dropped.
  context_->flush = nullptr;
  if (context_->fMakeCurrent()) {
    for (auto& entry : programs_) entry.second.fDestroy();
    fDropBoxStarts();
    presenter_.fDestroy();
    fDeleteBackBuffer();
    if (vertexBuffer_ != 0) gl.DeleteBuffers(1, &vertexBuffer_);
    if (indexBuffer_ != 0) gl.DeleteBuffers(1, &indexBuffer_);
    if (vertexArray_ != 0) gl.DeleteVertexArrays(1, &vertexArray_);
    if (sampler_ != 0) gl.DeleteSamplers(1, &sampler_);
    SDL_GL_MakeCurrent(context_->window, nullptr);
    SDL_GL_DeleteContext(context_->context);
  }
  context_->alive = false;
}

bool GlDevice::fSetUp() {
  // The usual sprite's shaders, made now so that a driver that cannot build them is found at once.
  if (fProgramFor(GlProgram::fKey(state_, true, false)).program == 0 || !presenter_.fBuild()) return false;
  gl.GenVertexArrays(1, &vertexArray_);
  gl.BindVertexArray(vertexArray_);
  gl.GenBuffers(1, &vertexBuffer_);
  gl.GenBuffers(1, &indexBuffer_);
  gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
  gl.GenSamplers(1, &sampler_);
  gl.BindSampler(0, sampler_);
  // Point sizes come from the shader; with targets stored top row first, the lower-left origin
  // puts texture coordinate (0, 0) at the sprite's top-left corner.
  gl.Enable(GL_PROGRAM_POINT_SIZE);
  gl.PointParameteri(GL_POINT_SPRITE_COORD_ORIGIN, GL_LOWER_LEFT);
  // With targets stored upside down for OpenGL, triangles that Direct3D sees clockwise are
  // OpenGL's counter-clockwise front faces.
  gl.FrontFace(GL_CCW);
  GLfloat range[2] = {1.0f, 1.0f};
  gl.GetFloatv(GL_POINT_SIZE_RANGE, range);
  maxPointSize_ = range[1] >= 1.0f ? range[1] : 1.0f;
  SDL_GL_SetSwapInterval(parameters_.PresentationInterval == D3DPRESENT_INTERVAL_ONE ? 1 : 0);
  windowCopy_.fInit();
  frameStart_ = lastGiveBack_ = std::chrono::steady_clock::now();
  return fMakeBackBuffer();
}

void GlDevice::fResolveBackBuffer(D3DPRESENT_PARAMETERS& parameters) {
  if (parameters.BackBufferWidth != 0 && parameters.BackBufferHeight != 0) return;
  int w = 0;
  int h = 0;
  SDL_GL_GetDrawableSize(context_->window, &w, &h);
  parameters.BackBufferWidth = w > 0 ? static_cast<UINT>(w) : 1;
  parameters.BackBufferHeight = h > 0 ? static_cast<UINT>(h) : 1;
}

bool GlDevice::fMakeBackBuffer() {
  const GLsizei w = static_cast<GLsizei>(parameters_.BackBufferWidth);
  const GLsizei h = static_cast<GLsizei>(parameters_.BackBufferHeight);
  // A texture, so that Present can draw it into the window.
  gl.GenTextures(1, &backColor_);
  gl.ActiveTexture(GL_TEXTURE0);
  gl.BindTexture(GL_TEXTURE_2D, backColor_);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  gl.GenFramebuffers(1, &backFramebuffer_);
  gl.BindFramebuffer(GL_FRAMEBUFFER, backFramebuffer_);
  gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, backColor_, 0);
  pendingDepth_ = 1.0f;
  pendingStencil_ = 0;
  if (gl.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return false;
  gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  gl.ClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  gl.Clear(GL_COLOR_BUFFER_BIT);
  return true;
}

// The depth and stencil values the clears since the back buffer was made asked for.
void GlDevice::fEnsureBackDepth() {
  if (backDepth_ != 0 || parameters_.EnableAutoDepthStencil == FALSE) return;
  gl.GenRenderbuffers(1, &backDepth_);
  gl.BindRenderbuffer(GL_RENDERBUFFER, backDepth_);
  gl.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, static_cast<GLsizei>(parameters_.BackBufferWidth),
                         static_cast<GLsizei>(parameters_.BackBufferHeight));
  gl.BindFramebuffer(GL_FRAMEBUFFER, backFramebuffer_);
  gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, backDepth_);
  gl.DepthMask(GL_TRUE);
  gl.StencilMask(0xFF);
  gl.ClearDepth(static_cast<double>(pendingDepth_));
  gl.ClearStencil(pendingStencil_);
  gl.Disable(GL_SCISSOR_TEST);
  gl.Clear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  fApplyScissor(true);
}

void GlDevice::fDeleteBackBuffer() {
  if (backFramebuffer_ != 0) gl.DeleteFramebuffers(1, &backFramebuffer_);
  if (backColor_ != 0) gl.DeleteTextures(1, &backColor_);
  if (backDepth_ != 0) gl.DeleteRenderbuffers(1, &backDepth_);
  backFramebuffer_ = backColor_ = backDepth_ = 0;
}

host_d3d::MemoryTexture* GlDevice::fMakeTexture(UINT width, UINT height, DWORD usage, D3DFORMAT format,
                                                D3DPOOL pool) {
  return new GlTexture(fLedger(), context_, width, height, usage, format, pool);
}

// Commands issued before the reset are carried out on the old back buffer, as they would have
// been at once; the new one shows nothing that may be repeated.
void GlDevice::fOnReset() {
  if (!context_->fMakeCurrent()) return;
  fFlush();
  shownValid_ = false;
  shownBounds_.clear();
  fDropBoxStarts();
  fDeleteBackBuffer();
  fMakeBackBuffer();
  SDL_GL_SetSwapInterval(parameters_.PresentationInterval == D3DPRESENT_INTERVAL_ONE ? 1 : 0);
}

// A frame carried out in parts no longer stands for its commands: they are dropped once done.
void GlDevice::fFlush() {
  if (frame_.fEmpty() || !context_->fMakeCurrent()) return;
  fCarryOut();
  frame_.fReset();
  frameWhole_ = false;
}

void GlDevice::fCarryOut(const GlChanges* changes, const std::vector<GlRect>* bounds) {
  const auto carryOut = [this](std::size_t i) {
    const GlCommand& command = frame_.fCommand(i);
    if (command.isClear) {
      fClearNow(command);
    } else {
      fDrawNow(command.state, frame_.fDrawCall(command));
    }
  };
  const std::size_t n = frame_.fSize();
  if (changes == nullptr || bounds == nullptr) {
    for (std::size_t i = 0; i < n; ++i) carryOut(i);
    return;
  }
  // A start holds colour alone: a frame that tests depth or stencil is drawn from its clear.
  bool colourOnly = true;
  for (std::size_t i = 0; i < n && colourOnly; ++i) {
    const auto& rs = frame_.fCommand(i).state.render;
    colourOnly = rs[D3DRS_ZENABLE] == FALSE && rs[D3DRS_STENCILENABLE] == FALSE;
  }
  const std::size_t same = changes->sameStart;
  std::vector<BoxStart> kept;
  for (const GlRect& box : changes->boxes) {
    // The box as the first commands left it in an earlier frame, when every frame since began
    // with those commands: the redraw goes on from there.
    BoxStart start;
    std::size_t from = 0;
    const auto found = std::find_if(boxStarts_.begin(), boxStarts_.end(),
                                    [&](const BoxStart& b) { return b.box == box && b.commands <= same; });
    if (colourOnly && found != boxStarts_.end()) {
      start = *found;
      boxStarts_.erase(found);
      fCopyBoxStart(start, false);
      from = start.commands;
    }
    scissor_ = &box;
    for (std::size_t i = from; i < n; ++i) {
      if (colourOnly && i == same && (start.framebuffer == 0 || start.commands != same)) {
        start.box = box;
        start.commands = same;
        fCopyBoxStart(start, true);
      }
      if ((*bounds)[i].fIntersects(box)) carryOut(i);
    }
    if (start.framebuffer != 0) kept.push_back(start);
  }
  scissor_ = nullptr;
  gl.Disable(GL_SCISSOR_TEST);
  // Starts of boxes this frame did not draw may no longer hold: they go.
  fDropBoxStarts();
  boxStarts_ = std::move(kept);
}

void GlDevice::fCopyBoxStart(BoxStart& start, bool save) {
  const GLsizei w = start.box.x1 - start.box.x0;
  const GLsizei h = start.box.y1 - start.box.y0;
  if (save && (start.framebuffer == 0 || start.width != w || start.height != h)) {
    if (start.framebuffer == 0) {
      gl.GenTextures(1, &start.texture);
      gl.GenFramebuffers(1, &start.framebuffer);
    }
    gl.ActiveTexture(GL_TEXTURE0);
    gl.BindTexture(GL_TEXTURE_2D, start.texture);
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    gl.BindFramebuffer(GL_FRAMEBUFFER, start.framebuffer);
    gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, start.texture, 0);
    start.width = w;
    start.height = h;
  }
  const GlRect& b = start.box;
  if (!save) {
    // Drawn back, with the back buffer staying bound for the box's redraw.
    presenter_.fPlace(start.texture, b, backFramebuffer_, static_cast<int>(parameters_.BackBufferWidth),
                      static_cast<int>(parameters_.BackBufferHeight));
    return;
  }
  // A copy of exactly the box's pixels; the scissor would cut it.
  gl.Disable(GL_SCISSOR_TEST);
  gl.BindFramebuffer(GL_READ_FRAMEBUFFER, backFramebuffer_);
  gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, start.framebuffer);
  gl.BlitFramebuffer(b.x0, b.y0, b.x1, b.y1, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

void GlDevice::fDropBoxStarts() {
  for (BoxStart& start : boxStarts_) {
    if (start.framebuffer != 0) gl.DeleteFramebuffers(1, &start.framebuffer);
    if (start.texture != 0) gl.DeleteTextures(1, &start.texture);
  }
  boxStarts_.clear();
}

// Back-buffer rows are stored from the top, so a box's rows are the framebuffer's own.
void GlDevice::fApplyScissor(bool backBuffer) {
  if (backBuffer && scissor_ != nullptr) {
    gl.Enable(GL_SCISSOR_TEST);
    gl.Scissor(scissor_->x0, scissor_->y0, scissor_->x1 - scissor_->x0, scissor_->y1 - scissor_->y0);
  } else {
    gl.Disable(GL_SCISSOR_TEST);
  }
}

// Every change of render target binds its framebuffer and sets the viewport to the whole of it.
bool GlDevice::fBindTarget(const host_d3d::DeviceState& state) {
  GLuint framebuffer = backFramebuffer_;
  targetWidth_ = parameters_.BackBufferWidth;
  targetHeight_ = parameters_.BackBufferHeight;
  if (state.renderTarget != nullptr) {
    auto* target = static_cast<GlTexture*>(state.renderTarget);
    const GLuint own = target->fFramebuffer();
    if (own != 0) {
      framebuffer = own;
      targetWidth_ = target->fWidth();
      targetHeight_ = target->fHeight();
    }
  }
  gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  gl.Viewport(0, 0, static_cast<GLsizei>(targetWidth_), static_cast<GLsizei>(targetHeight_));
  const bool backBuffer = framebuffer == backFramebuffer_;
  fApplyScissor(backBuffer);
  return backBuffer;
}

void GlDevice::fNoteUse(const host_d3d::DeviceState& state) {
  if (state.texture != nullptr) static_cast<GlTexture*>(state.texture)->fMarkUsed(frameStart_);
  if (state.renderTarget != nullptr) state.renderTarget->fMarkContentChanged();
}

HRESULT GlDevice::fExecuteClear(DWORD flags, D3DCOLOR color, float z, DWORD stencil) {
  if (!context_->alive) return D3DERR_DEVICELOST;
  fNoteUse(state_);
  frame_.fAddClear(state_, flags, color, z, stencil);
  if (frame_.fSize() >= kMaxWaitingCommands) fFlush();
  return D3D_OK;
}

void GlDevice::fExecuteDraw(const host_d3d::DrawCall& draw) {
  if (!context_->alive) return;
  fNoteUse(state_);
  frame_.fAddDraw(state_, draw);
  if (frame_.fSize() >= kMaxWaitingCommands) fFlush();
}

void GlDevice::fClearNow(const GlCommand& command) {
  DWORD flags = command.flags;
  if (fBindTarget(command.state) && backDepth_ == 0) {
    // No depth or stencil storage yet: it takes these values when it is made.
    if ((flags & D3DCLEAR_ZBUFFER) != 0) pendingDepth_ = command.z;
    if ((flags & D3DCLEAR_STENCIL) != 0) pendingStencil_ = static_cast<GLint>(command.stencil & 0xFF);
    flags &= ~static_cast<DWORD>(D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL);
  }
  const D3DCOLOR color = command.color;
  GLbitfield mask = 0;
  if ((flags & D3DCLEAR_TARGET) != 0) {
    gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl.ClearColor(static_cast<float>((color >> 16) & 0xFF) / 255.0f, static_cast<float>((color >> 8) & 0xFF) / 255.0f,
                  static_cast<float>(color & 0xFF) / 255.0f, static_cast<float>((color >> 24) & 0xFF) / 255.0f);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if ((flags & D3DCLEAR_ZBUFFER) != 0) {
    gl.DepthMask(GL_TRUE);
    gl.ClearDepth(static_cast<double>(command.z));
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  if ((flags & D3DCLEAR_STENCIL) != 0) {
    gl.StencilMask(0xFF);
    gl.ClearStencil(static_cast<GLint>(command.stencil & 0xFF));
    mask |= GL_STENCIL_BUFFER_BIT;
  }
  gl.Clear(mask);
}

void GlDevice::fApplyPipeline(const host_d3d::DeviceState& state, bool cull) {
  const auto& rs = state.render;
  gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  if (rs[D3DRS_ALPHABLENDENABLE] != FALSE) {
    gl.Enable(GL_BLEND);
    gl.BlendFunc(blendFactor(rs[D3DRS_SRCBLEND]), blendFactor(rs[D3DRS_DESTBLEND]));
  } else {
    gl.Disable(GL_BLEND);
  }
  const bool hasDepth = parameters_.EnableAutoDepthStencil != FALSE;
  if (hasDepth && rs[D3DRS_ZENABLE] != FALSE) {
    gl.Enable(GL_DEPTH_TEST);
    gl.DepthFunc(compareFunction(rs[D3DRS_ZFUNC]));
    gl.DepthMask(rs[D3DRS_ZWRITEENABLE] != FALSE ? GL_TRUE : GL_FALSE);
  } else {
    gl.Disable(GL_DEPTH_TEST);
  }
  if (hasDepth && rs[D3DRS_STENCILENABLE] != FALSE) {
    gl.Enable(GL_STENCIL_TEST);
    gl.StencilFunc(compareFunction(rs[D3DRS_STENCILFUNC]), static_cast<GLint>(rs[D3DRS_STENCILREF] & 0xFF),
                   rs[D3DRS_STENCILMASK] & 0xFF);
    gl.StencilOp(stencilOperation(rs[D3DRS_STENCILFAIL]), stencilOperation(rs[D3DRS_STENCILZFAIL]),
                 stencilOperation(rs[D3DRS_STENCILPASS]));
    gl.StencilMask(rs[D3DRS_STENCILWRITEMASK] & 0xFF);
  } else {
    gl.Disable(GL_STENCIL_TEST);
  }
  // Direct3D's default culls triangles that appear counter-clockwise on screen.
  const DWORD cullMode = rs[D3DRS_CULLMODE];
  if (!cull || cullMode == D3DCULL_NONE) {
    gl.Disable(GL_CULL_FACE);
  } else {
    gl.Enable(GL_CULL_FACE);
    gl.CullFace(cullMode == D3DCULL_CW ? GL_FRONT : GL_BACK);
  }
}

const GlProgram& GlDevice::fProgramFor(std::uint32_t key) {
  auto found = programs_.find(key);
  if (found == programs_.end()) {
    GlProgram made;
    made.fBuild(key);  // program 0 when it fails: such draws show nothing
    found = programs_.emplace(key, made).first;
  }
  return found->second;
}

void GlDevice::fApplyUniforms(const host_d3d::DeviceState& state, bool preTransformed, bool pointSprite) {
  const auto& rs = state.render;
  auto* texture = static_cast<GlTexture*>(state.texture);
  const GlProgram& program =
      fProgramFor(GlProgram::fKey(state, texture != nullptr, pointSprite && rs[D3DRS_POINTSPRITEENABLE] != FALSE));
  current_ = &program;
  gl.UseProgram(program.program);
  const D3DMATRIX wvp = host_d3d::fMultiply(host_d3d::fMultiply(state.world, state.view), state.projection);
  // Direct3D's rows, read by OpenGL as columns, multiply a column vector as the row vector would.
  gl.UniformMatrix4fv(program.transform, 1, GL_FALSE, &wvp.m[0][0]);
  gl.Uniform2f(program.targetSize, static_cast<float>(targetWidth_), static_cast<float>(targetHeight_));
  gl.Uniform1i(program.preTransformed, preTransformed ? 1 : 0);
  gl.Uniform1f(program.pointSize, state.fFloatState(D3DRS_POINTSIZE));
  const float low = std::max(state.fFloatState(D3DRS_POINTSIZE_MIN), 0.0f);
  const float high = std::min(state.fFloatState(D3DRS_POINTSIZE_MAX), maxPointSize_);
  gl.Uniform2f(program.pointRange, low, std::max(low, high));

  if (texture != nullptr) texture->fEnsureStorage();
  gl.ActiveTexture(GL_TEXTURE0);
  gl.BindTexture(GL_TEXTURE_2D, texture != nullptr ? texture->fName() : 0);
  gl.BindSampler(0, sampler_);
  gl.SamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, filterOf(state.sampler0[D3DSAMP_MAGFILTER]));
  gl.SamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, filterOf(state.sampler0[D3DSAMP_MINFILTER]));
  gl.SamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, addressOf(state.sampler0[D3DSAMP_ADDRESSU]));
  gl.SamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, addressOf(state.sampler0[D3DSAMP_ADDRESSV]));
}

void GlDevice::fBindVertices(const std::uint8_t* data, std::size_t bytes, UINT stride, DWORD fvf) {
  const host_d3d::FvfLayout layout = host_d3d::fFvfLayout(fvf);
  const GLsizei step = static_cast<GLsizei>(stride);
  auto at = [](int offset) { return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(offset)); };
  gl.BindVertexArray(vertexArray_);
  gl.BindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  gl.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data, GL_STREAM_DRAW);
  gl.EnableVertexAttribArray(kPositionSlot);
  gl.VertexAttribPointer(kPositionSlot, 3, GL_FLOAT, GL_FALSE, step, at(layout.position));
  if (layout.diffuse >= 0) {
    // The ARGB word's bytes lie as B, G, R, A: OpenGL reorders them with the BGRA size.
    gl.EnableVertexAttribArray(kColorSlot);
    gl.VertexAttribPointer(kColorSlot, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, step, at(layout.diffuse));
  } else {
    gl.DisableVertexAttribArray(kColorSlot);
    gl.VertexAttrib4f(kColorSlot, 1.0f, 1.0f, 1.0f, 1.0f);
  }
  if (layout.texCoord >= 0) {
    gl.EnableVertexAttribArray(kTexCoordSlot);
    gl.VertexAttribPointer(kTexCoordSlot, 2, GL_FLOAT, GL_FALSE, step, at(layout.texCoord));
  } else {
    gl.DisableVertexAttribArray(kTexCoordSlot);
    gl.VertexAttrib4f(kTexCoordSlot, 0.0f, 0.0f, 0.0f, 1.0f);
  }
  if (layout.pointSize >= 0) {
    gl.EnableVertexAttribArray(kPointSizeSlot);
    gl.VertexAttribPointer(kPointSizeSlot, 1, GL_FLOAT, GL_FALSE, step, at(layout.pointSize));
  } else {
    gl.DisableVertexAttribArray(kPointSizeSlot);
    gl.VertexAttrib4f(kPointSizeSlot, 1.0f, 0.0f, 0.0f, 1.0f);
  }
  if (current_ != nullptr) gl.Uniform1i(current_->hasPointSize, layout.pointSize >= 0 ? 1 : 0);
}

void GlDevice::fDrawNow(const host_d3d::DeviceState& state, const host_d3d::DrawCall& draw) {
  // Nothing of it would reach the picture.
  if (fDrawsNothing(state, draw, parameters_.EnableAutoDepthStencil != FALSE)) return;
  if (fBindTarget(state) && (state.render[D3DRS_ZENABLE] != FALSE || state.render[D3DRS_STENCILENABLE] != FALSE)) {
    fEnsureBackDepth();
  }
  const bool points = draw.type == D3DPT_POINTLIST;
  if (points) {
    const host_d3d::FvfLayout layout = host_d3d::fFvfLayout(draw.fvf);
    const float low = state.fFloatState(D3DRS_POINTSIZE_MIN);
    const float high = state.fFloatState(D3DRS_POINTSIZE_MAX);
    bool tooLarge = false;
    for (UINT i = 0; i < draw.vertexCount && !tooLarge; ++i) {
      const float size = layout.pointSize >= 0
                             ? readFloat(draw.vertexData + static_cast<std::size_t>(i) * draw.stride + layout.pointSize)
                             : state.fFloatState(D3DRS_POINTSIZE);
      tooLarge = std::clamp(size, low, std::max(low, high)) > fPointSizeLimit(maxPointSize_);
    }
    if (tooLarge) {
      fDrawExpandedPoints(state, draw);
      return;
    }
  }
  // Under a box only the triangles that reach it are sent: the others give no fragment inside the
  // scissor, and the driver would transform and set up every one of them all the same.
  host_d3d::DrawCall sent = draw;
  if (scissor_ != nullptr && draw.type == D3DPT_TRIANGLELIST && !fKeepTrianglesIn(*scissor_, state, sent)) return;
  fApplyPipeline(state, true);
  fApplyUniforms(state, false, points);
  fBindVertices(sent.vertexData, static_cast<std::size_t>(sent.vertexCount) * sent.stride, sent.stride, sent.fvf);
  const GLenum mode = primitiveMode(sent.type);
  const GLsizei count = static_cast<GLsizei>(host_d3d::fVerticesFor(sent.type, sent.primitiveCount));
  if (sent.indices == nullptr) {
    gl.DrawArrays(mode, 0, count);
    return;
  }
  gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
  gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(sent.indexCount) * 2, sent.indices, GL_STREAM_DRAW);
  gl.DrawElementsBaseVertex(mode, count, GL_UNSIGNED_SHORT, nullptr, sent.indexBase);
}

bool GlDevice::fKeepTrianglesIn(const GlRect& box, const host_d3d::DeviceState& state, host_d3d::DrawCall& draw) {
  // Vertex numbers of a draw without indices become indices: they must fit 16 bits.
  if (draw.indices == nullptr && draw.vertexCount > 0x10000u) return true;
  const GlPlacer placer(state, draw, static_cast<int>(targetWidth_), static_cast<int>(targetHeight_));
  boxIndices_.clear();
  UINT kept = 0;
  for (UINT p = 0; p < draw.primitiveCount; ++p) {
    int vertices[3];
    placer.fPrimitive(p, vertices);
    if (!placer.fBox(vertices, 3).fIntersects(box)) continue;
    for (UINT k = 0; k < 3; ++k) {
      const std::uint16_t index = draw.indices != nullptr ? host_d3d::fIndexAt(draw.indices, 3 * p + k)
                                                          : static_cast<std::uint16_t>(3 * p + k);
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(&index);
      boxIndices_.insert(boxIndices_.end(), bytes, bytes + 2);
    }
    ++kept;
  }
  if (kept == draw.primitiveCount) return true;
  if (kept == 0) return false;
  if (draw.indices == nullptr) draw.indexBase = 0;
  draw.indices = boxIndices_.data();
  draw.indexCount = 3 * kept;
  draw.primitiveCount = kept;
  return true;
}

void GlDevice::fDrawExpandedPoints(const host_d3d::DeviceState& state, const host_d3d::DrawCall& draw) {
  const host_d3d::FvfLayout layout = host_d3d::fFvfLayout(draw.fvf);
  const D3DMATRIX wvp = host_d3d::fMultiply(host_d3d::fMultiply(state.world, state.view), state.projection);
  const float low = state.fFloatState(D3DRS_POINTSIZE_MIN);
  const float high = std::max(low, state.fFloatState(D3DRS_POINTSIZE_MAX));
  const bool sprite = state.render[D3DRS_POINTSPRITEENABLE] != FALSE;
  const UINT count = draw.indices != nullptr ? draw.indexCount : draw.vertexCount;
  expanded_.resize(static_cast<std::size_t>(count) * 6 * kExpandedStride);
  std::uint8_t* out = expanded_.data();
  for (UINT n = 0; n < count; ++n) {
    const int index = draw.indices != nullptr ? host_d3d::fIndexAt(draw.indices, n) + draw.indexBase : static_cast<int>(n);
    const std::uint8_t* v = draw.vertexData + static_cast<std::size_t>(index) * draw.stride;
    const float p[3] = {readFloat(v + layout.position), readFloat(v + layout.position + 4),
                        readFloat(v + layout.position + 8)};
    float clip[4];
    for (int c = 0; c < 4; ++c) clip[c] = p[0] * wvp.m[0][c] + p[1] * wvp.m[1][c] + p[2] * wvp.m[2][c] + wvp.m[3][c];
    const float size = std::clamp(layout.pointSize >= 0 ? readFloat(v + layout.pointSize)
                                                        : state.fFloatState(D3DRS_POINTSIZE),
                                  low, high);
    // Half the size in pixels is size / target pixels in normalised coordinates.
    const float hw = size / static_cast<float>(targetWidth_) * clip[3];
    const float hh = size / static_cast<float>(targetHeight_) * clip[3];
    DWORD color = 0xFFFFFFFFu;
    if (layout.diffuse >= 0) std::memcpy(&color, v + layout.diffuse, sizeof(color));
    const float u0 = layout.texCoord >= 0 ? readFloat(v + layout.texCoord) : 0.0f;
    const float v0 = layout.texCoord >= 0 ? readFloat(v + layout.texCoord + 4) : 0.0f;
    // Corners top-left, top-right, bottom-right, bottom-left (normalised y points up).
    const float cx[4] = {clip[0] - hw, clip[0] + hw, clip[0] + hw, clip[0] - hw};
    const float cy[4] = {clip[1] + hh, clip[1] + hh, clip[1] - hh, clip[1] - hh};
    const float cu[4] = {0.0f, 1.0f, 1.0f, 0.0f};
    const float cv[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    const int order[6] = {0, 1, 2, 0, 2, 3};
    for (int k : order) {
      const float values[7] = {cx[k], cy[k], clip[2], clip[3], 0.0f, sprite ? cu[k] : u0, sprite ? cv[k] : v0};
      std::memcpy(out, values, 16);
      std::memcpy(out + 16, &color, 4);
      std::memcpy(out + 20, values + 5, 8);
      out += kExpandedStride;
    }
  }
  fApplyPipeline(state, false);
  fApplyUniforms(state, true, false);
  fBindVertices(expanded_.data(), expanded_.size(), kExpandedStride, kExpandedFvf);
  gl.DrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(count * 6));
}

HRESULT GlDevice::fExecutePresent() {
  if (!context_->fMakeCurrent()) return D3DERR_DEVICELOST;
  int w = 0;
  int h = 0;
  SDL_GL_GetDrawableSize(context_->window, &w, &h);
  const unsigned exposures = host_detail::fWindowExposures();
  const int width = static_cast<int>(parameters_.BackBufferWidth);
  const int height = static_cast<int>(parameters_.BackBufferHeight);
  std::vector<GlRect> bounds(frame_.fSize());
  for (std::size_t i = 0; i < frame_.fSize(); ++i) bounds[i] = fCommandBounds(frame_, i, width, height);
  // Only a frame carried out at once, that clears what it draws on, stands for its commands.
  const bool repeatable = frameWhole_ && frame_.fRepeatable();
  // What of the back buffer is drawn again: the changed boxes (none when the picture repeats), or
  // everything.
  std::optional<GlChanges> changes;
  if (shownValid_ && repeatable) {
    if (g_partialRedraw) {
      changes = fChangedRects(shown_, shownBounds_, frame_, bounds, width, height);
    } else if (frame_.fSameAs(shown_)) {
      changes.emplace();
    }
  }
  if (!changes) fDropBoxStarts();
  const bool windowSame = w == shownWidth_ && h == shownHeight_ && exposures == shownExposures_;
  if (!changes || !changes->boxes.empty() || !windowSame) {
    fCarryOut(changes ? &*changes : nullptr, &bounds);
    // The back buffer is read as a texture next. Mesa's software renderer does not always wait
    // for a frame of clears alone to be written before such a read: the frame is finished first.
    gl.Finish();
    fShowWindow(w, h, changes && windowSame ? &changes->boxes : nullptr);
  }
  std::swap(shown_, frame_);
  shownBounds_.swap(bounds);
  frame_.fReset();
  shownValid_ = repeatable;
  frameWhole_ = true;
  shownWidth_ = w;
  shownHeight_ = h;
  shownExposures_ = exposures;
  fGiveBackUnused();
  if (context_->storageMoved) {
    // Images read and storage given back leave large free blocks inside the allocator's heap
    // (the decoder's, and the driver's): they go back to the system.
    context_->storageMoved = false;
#ifdef __GLIBC__
    malloc_trim(0);
#endif
  }
  frameStart_ = std::chrono::steady_clock::now();
  return D3D_OK;
}

void GlDevice::fShowWindow(int windowWidth, int windowHeight, const std::vector<GlRect>* boxes) {
  const int width = static_cast<int>(parameters_.BackBufferWidth);
  const int height = static_cast<int>(parameters_.BackBufferHeight);
  // The driver learns a new window size at a swap: the first picture at a size is swapped in, and
  // the next is shown whole, since a swap may leave the window's back buffer undefined.
  if (!windowCopy_.fAvailable() || windowWidth != swappedWidth_ || windowHeight != swappedHeight_) {
    presenter_.fShow(backColor_, width, height, windowWidth, windowHeight);
    SDL_GL_SwapWindow(context_->window);
    swappedWidth_ = windowWidth;
    swappedHeight_ = windowHeight;
    showWhole_ = true;
    return;
  }
  if (boxes != nullptr && !showWhole_ && windowWidth == width && windowHeight == height) {
    if (windowCopy_.fCanPut()) {
      // The boxes go to the window as X images read straight from the back buffer: the driver
      // draws nothing into the window for them (each picture it draws wakes all its threads). The
      // window's own back buffer keeps an older picture there, and only whole pictures are drawn
      // into it from then on. The back buffer is read in its own order, red first, which the
      // driver copies as it is.
      gl.BindFramebuffer(GL_READ_FRAMEBUFFER, backFramebuffer_);
      gl.PixelStorei(GL_PACK_ALIGNMENT, 4);
      for (const GlRect& box : fWindowBoxes(*boxes, width, height)) {
        const int w = box.x1 - box.x0;
        const int h = box.y1 - box.y0;
        boxPixels_.resize(static_cast<std::size_t>(w) * h * 4);
        gl.ReadPixels(box.x0, box.y0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, boxPixels_.data());
        for (std::size_t i = 0; i < boxPixels_.size(); i += 4) std::swap(boxPixels_[i], boxPixels_[i + 2]);
        windowCopy_.fPut(box.x0, box.y0, w, h, boxPixels_.data());
      }
      windowCopy_.fSend();
      return;
    }
    // The window's back buffer holds the last picture shown: only the boxes change in it and go
    // to the screen (the window's rows run from the bottom). Each copy waits for the X server, so
    // boxes that lie near one another go as the one box around them.
    const std::vector<GlRect> shownBoxes = fWindowBoxes(*boxes, width, height);
    presenter_.fShow(backColor_, width, height, windowWidth, windowHeight, 0, &shownBoxes);
    for (const GlRect& box : shownBoxes) {
      windowCopy_.fCopy(box.x0, height - box.y1, box.x1 - box.x0, box.y1 - box.y0);
    }
    return;
  }
  presenter_.fShow(backColor_, width, height, windowWidth, windowHeight);
  windowCopy_.fCopy(0, 0, windowWidth, windowHeight);
  showWhole_ = false;
}

void GlDevice::fGiveBackUnused() {
  const auto now = std::chrono::steady_clock::now();
  const std::chrono::milliseconds rest = g_textureRest;
  if (now - lastGiveBack_ < std::min(rest, kGiveBackLook)) return;
  lastGiveBack_ = now;
  for (GlTexture* texture : context_->textures) {
    if (texture->fHasStorage() && now - texture->fLastUse() >= rest) texture->fGiveBack();
  }
}

bool GlDevice::fReadBack(int& width, int& height, std::vector<std::uint8_t>& rgba) {
  if (!context_->fMakeCurrent()) return false;
  fFlush();
  width = static_cast<int>(parameters_.BackBufferWidth);
  height = static_cast<int>(parameters_.BackBufferHeight);
  rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);
  gl.BindFramebuffer(GL_READ_FRAMEBUFFER, backFramebuffer_);
  gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
  gl.ReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  for (std::size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
  return gl.GetError() == GL_NO_ERROR;
}

}  // namespace host_gl
