// The OpenGL device's record of a frame, without OpenGL: when two frames count as the same, when a
// frame's picture depends on its commands alone (so a repeat of it need not be drawn), which
// draws change no pixel, and which boxes a changed frame draws again. Textures come from the
// recording device, for their serial numbers and their pixels.
#include "host/recording_device.h"
#include "host/src/d3d9/device_objects.h"
#include "host/src/gl/gl_damage.h"
#include "host/src/gl/gl_frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <vector>

namespace {

using host_d3d::DeviceState;
using host_d3d::DrawCall;
using host_gl::GlFrame;
using host_gl::GlRect;

constexpr DWORD kFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;  // 24 bytes, colour at 12

class GlFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_test::fUseRecordingDevice(true);
    d3d = Direct3DCreate9(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS p{};
    p.BackBufferWidth = 64;
    p.BackBufferHeight = 64;
    p.EnableAutoDepthStencil = TRUE;
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &p, &device), D3D_OK);
    host_d3d::fSetDefaultState(state, true);
    state.render[D3DRS_ZENABLE] = FALSE;
    state.render[D3DRS_ALPHABLENDENABLE] = TRUE;
    state.render[D3DRS_SRCBLEND] = D3DBLEND_SRCALPHA;
    state.render[D3DRS_DESTBLEND] = D3DBLEND_INVSRCALPHA;
    state.stage0[D3DTSS_ALPHAOP] = D3DTOP_MODULATE;
    state.stage0[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
    state.stage0[D3DTSS_ALPHAARG2] = D3DTA_DIFFUSE;
    quad(0xFF);
  }
  void TearDown() override {
    for (IDirect3DTexture9* texture : textures) texture->Release();
    device->Release();
    d3d->Release();
  }

  host_d3d::MemoryTexture* texture(DWORD usage = 0) {
    IDirect3DTexture9* made = nullptr;
    EXPECT_EQ(device->CreateTexture(4, 4, 1, usage, D3DFMT_A8R8G8B8,
                                    usage != 0 ? D3DPOOL_DEFAULT : D3DPOOL_MANAGED, &made, nullptr),
              D3D_OK);
    textures.push_back(made);
    return dynamic_cast<host_d3d::MemoryTexture*>(made);
  }

  // Four vertices whose colours have this alpha, drawn as two triangles.
  void quad(std::uint8_t alpha) {
    vertices.assign(4 * 24, 0);
    for (int i = 0; i < 4; ++i) {
      const std::uint32_t argb = (static_cast<std::uint32_t>(alpha) << 24) | 0x00FFFFFFu;
      std::memcpy(vertices.data() + i * 24 + 12, &argb, 4);
    }
    draw = DrawCall{};
    draw.type = D3DPT_TRIANGLELIST;
    draw.primitiveCount = 2;
    draw.vertexData = vertices.data();
    draw.vertexCount = 4;
    draw.stride = 24;
    draw.fvf = kFvf;
    draw.indices = reinterpret_cast<const std::uint8_t*>(kIndices);
    draw.indexCount = 6;
  }

  // A texture of 4 x 4 pixels filled under a lock: opaque, or with one pixel not quite.
  host_d3d::MemoryTexture* filled(bool opaque) {
    host_d3d::MemoryTexture* made = texture();
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(made->LockRect(0, &locked, nullptr, 0), D3D_OK);
    std::memset(locked.pBits, 0xFF, 4 * 4 * 4);
    if (!opaque) static_cast<std::uint8_t*>(locked.pBits)[4 * 5 + 3] = 0xFE;
    EXPECT_EQ(made->UnlockRect(0), D3D_OK);
    return made;
  }

  // A frame: a full clear of the back buffer, then the draw.
  GlFrame cleared(DWORD flags = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER) {
    GlFrame frame;
    frame.fAddClear(state, flags, 0xFF000000u, 1.0f, 0);
    frame.fAddDraw(state, draw);
    return frame;
  }

  static constexpr std::uint16_t kIndices[6] = {0, 1, 2, 0, 2, 3};
  IDirect3D9* d3d = nullptr;
  IDirect3DDevice9* device = nullptr;
  std::vector<IDirect3DTexture9*> textures;
  DeviceState state;
  std::vector<std::uint8_t> vertices;
  DrawCall draw;
};

// Frames compare by their commands, states and copied bytes: a change of any vertex byte, state,
// index or texture makes them differ, and so does another texture at the same address.
TEST_F(GlFrameTest, FramesAreTheSameOnlyWithTheSameCommandsStatesBytesAndTextures) {
  state.texture = texture();
  const GlFrame first = cleared();
  // The draw's own bytes may change after it was recorded: the frame keeps its copy.
  vertices[0] = 7;
  quad(0xFF);
  EXPECT_TRUE(cleared().fSameAs(first));
  EXPECT_EQ(cleared().fSize(), 2u);

  vertices[0] = 1;  // a position byte
  EXPECT_FALSE(cleared().fSameAs(first));
  quad(0xFF);

  state.world.m[3][0] = 1.0f;
  EXPECT_FALSE(cleared().fSameAs(first));
  state.world.m[3][0] = 0.0f;

  const std::uint16_t other[6] = {0, 2, 1, 0, 3, 2};
  draw.indices = reinterpret_cast<const std::uint8_t*>(other);
  EXPECT_FALSE(cleared().fSameAs(first));
  draw.indices = reinterpret_cast<const std::uint8_t*>(kIndices);

  // A texture released and another made (perhaps at the same address) has another serial number.
  const int serial = state.texture->fSerial();
  textures.back()->Release();
  textures.pop_back();
  state.texture = texture();
  EXPECT_NE(state.texture->fSerial(), serial);
  EXPECT_FALSE(cleared().fSameAs(first));

  GlFrame longer = cleared();
  longer.fAddDraw(state, draw);
  EXPECT_FALSE(longer.fSameAs(cleared()));
  const host_d3d::DrawCall copy = longer.fDrawCall(longer.fCommand(1));
  EXPECT_EQ(std::memcmp(copy.vertexData, vertices.data(), vertices.size()), 0);
  EXPECT_EQ(std::memcmp(copy.indices, kIndices, sizeof(kIndices)), 0);
}

// A frame repeats its picture only when every target it draws on is cleared first, with the
// depth and stencil buffers its draws test, and no target is read before that clear.
TEST_F(GlFrameTest, OnlyFramesThatClearWhatTheyDrawOnAreRepeatable) {
  EXPECT_TRUE(cleared().fRepeatable());
  EXPECT_TRUE(GlFrame().fRepeatable());

  GlFrame drawnFirst;
  drawnFirst.fAddDraw(state, draw);
  drawnFirst.fAddClear(state, D3DCLEAR_TARGET, 0, 1.0f, 0);
  EXPECT_FALSE(drawnFirst.fRepeatable());

  state.render[D3DRS_ZENABLE] = TRUE;
  EXPECT_FALSE(cleared(D3DCLEAR_TARGET).fRepeatable());
  EXPECT_TRUE(cleared(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER).fRepeatable());
  state.render[D3DRS_ZENABLE] = FALSE;

  // A stencil mask clears its stencil just before it is drawn.
  state.render[D3DRS_STENCILENABLE] = TRUE;
  EXPECT_FALSE(cleared().fRepeatable());
  GlFrame masked;
  masked.fAddClear(state, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  masked.fAddClear(state, D3DCLEAR_STENCIL, 0, 1.0f, 0xFF);
  masked.fAddDraw(state, draw);
  EXPECT_TRUE(masked.fRepeatable());
  state.render[D3DRS_STENCILENABLE] = FALSE;

  // A render target drawn in the frame and shown on the back buffer: fine after its clear, not
  // before it (it would show what the previous frame left in it).
  host_d3d::MemoryTexture* target = texture(D3DUSAGE_RENDERTARGET);
  DeviceState onTarget = state;
  onTarget.renderTarget = target;
  DeviceState showing = state;
  showing.texture = target;
  GlFrame afterClear = cleared();
  afterClear.fAddClear(onTarget, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  afterClear.fAddDraw(onTarget, draw);
  afterClear.fAddDraw(showing, draw);
  EXPECT_TRUE(afterClear.fRepeatable());
  GlFrame beforeClear = cleared();
  beforeClear.fAddDraw(showing, draw);
  beforeClear.fAddClear(onTarget, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  beforeClear.fAddDraw(onTarget, draw);
  EXPECT_FALSE(beforeClear.fRepeatable());
  // A target the frame only reads is like any other texture.
  GlFrame onlyRead = cleared();
  onlyRead.fAddDraw(showing, draw);
  EXPECT_TRUE(onlyRead.fRepeatable());
}

// Only a draw whose every vertex alpha is 0, under source-alpha blending that keeps the
// destination whole, with its alpha from the diffuse colour and no depth or stencil written,
// changes nothing.
TEST_F(GlFrameTest, DrawsThatChangeNoPixel) {
  quad(0);
  EXPECT_TRUE(host_gl::fDrawsNothing(state, draw, true));
  state.render[D3DRS_DESTBLEND] = D3DBLEND_ONE;  // additive
  EXPECT_TRUE(host_gl::fDrawsNothing(state, draw, true));
  state.render[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
  EXPECT_FALSE(host_gl::fDrawsNothing(state, draw, true));
  state.render[D3DRS_DESTBLEND] = D3DBLEND_INVSRCALPHA;

  state.render[D3DRS_ALPHABLENDENABLE] = FALSE;
  EXPECT_FALSE(host_gl::fDrawsNothing(state, draw, true));
  state.render[D3DRS_ALPHABLENDENABLE] = TRUE;
  state.render[D3DRS_SRCBLEND] = D3DBLEND_ONE;
  EXPECT_FALSE(host_gl::fDrawsNothing(state, draw, true));
  state.render[D3DRS_SRCBLEND] = D3DBLEND_SRCALPHA;

  // The alpha taken from the texture alone.
  state.stage0[D3DTSS_ALPHAOP] = D3DTOP_SELECTARG1;
  EXPECT_FALSE(host_gl::fDrawsNothing(state, draw, true));
  state.stage0[D3DTSS_ALPHAARG1] = D3DTA_DIFFUSE;
  EXPECT_TRUE(host_gl::fDrawsNothing(state, draw, true));
  state.stage0[D3DTSS_ALPHAOP] = D3DTOP_MODULATE;
  state.stage0[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;

  // Depth written where the test passes, or stencil operations, still change the buffers.
  state.render[D3DRS_ZENABLE] = TRUE;
  state.render[D3DRS_ZWRITEENABLE] = TRUE;
  EXPECT_FALSE(host_gl::fDrawsNothing(state, draw, true));
  EXPECT_TRUE(host_gl::fDrawsNothing(state, draw, false));
  state.render[D3DRS_ZWRITEENABLE] = FALSE;
  EXPECT_TRUE(host_gl::fDrawsNothing(state, draw, true));
  state.render[D3DRS_ZENABLE] = FALSE;
  state.render[D3DRS_STENCILENABLE] = TRUE;
  EXPECT_FALSE(host_gl::fDrawsNothing(state, draw, true));
  state.render[D3DRS_STENCILENABLE] = FALSE;

  // One vertex that shows, or no vertex colour at all (opaque white).
  vertices[2 * 24 + 15] = 1;
  EXPECT_FALSE(host_gl::fDrawsNothing(state, draw, true));
  quad(0);
  draw.fvf = D3DFVF_XYZ | D3DFVF_TEX1;
  draw.stride = 20;
  EXPECT_FALSE(host_gl::fDrawsNothing(state, draw, true));
}


// A menu screen at rest in a picture of 512 x 512 pixels: its back, a highlight whose alpha pulses,
// a picture over the highlight's middle, the picture's face, and the screen fade's dark sprite at
// alpha 0. Only the rim of the highlight that shows around the picture is drawn again, and only
// while the picture surely hides what lies under it: opaque vertices and texture under alpha
// blending (or none), an axis-aligned rectangle that culling keeps, no depth test, drawn after the
// highlight in both frames.
TEST_F(GlFrameTest, OnlyTheRimOfAChangeThatAnOpaquePictureCoversIsDrawnAgain) {
  struct SPRITE {
    float x0, y0, x1, y1;  // target pixels
    std::uint8_t alpha;
    DeviceState state;
    bool mirrored;
  };
  constexpr int kSize = 512;
  const auto add = [](GlFrame& frame, const SPRITE& sprite) {
    // Corners left-top, right-top, right-bottom, left-bottom in clip space: clockwise on the
    // screen, as sprites are, or mirrored.
    const float px[4] = {sprite.x0, sprite.x1, sprite.x1, sprite.x0};
    const float py[4] = {sprite.y0, sprite.y0, sprite.y1, sprite.y1};
    std::vector<std::uint8_t> bytes(4 * 24, 0);
    for (int i = 0; i < 4; ++i) {
      const int corner = sprite.mirrored ? 3 - i : i;
      const float at[3] = {px[corner] * 2.0f / kSize - 1.0f, 1.0f - py[corner] * 2.0f / kSize, 0.5f};
      const std::uint32_t argb = static_cast<std::uint32_t>(sprite.alpha) << 24 | 0x00FFFFFFu;
      std::memcpy(bytes.data() + i * 24, at, sizeof(at));
      std::memcpy(bytes.data() + i * 24 + 12, &argb, 4);
    }
    DrawCall call{};
    call.type = D3DPT_TRIANGLELIST;
    call.primitiveCount = 2;
    call.vertexData = bytes.data();
    call.vertexCount = 4;
    call.stride = 24;
    call.fvf = kFvf;
    call.indices = reinterpret_cast<const std::uint8_t*>(kIndices);
    call.indexCount = 6;
    frame.fAddDraw(sprite.state, call);
  };
  const GlRect glowBox{64 - 2, 64 - 2, 448 + 2, 384 + 2};  // the highlight's bounds
  const GlRect inside{96 + 2, 96 + 2, 416 - 2, 352 - 2};    // well within the picture

  DeviceState back = state;
  back.texture = filled(true);
  DeviceState glow = state;
  glow.texture = texture();
  DeviceState face = state;
  face.texture = texture();
  struct CASE {
    const char* name;
    std::function<void(SPRITE&)> change;
    bool covered;
    bool pictureFirst = false;  // drawn under the highlight
  };
  const std::vector<CASE> cases = {
      {"opaque picture", [](SPRITE&) {}, true},
      {"no blending", [](SPRITE& p) { p.state.render[D3DRS_ALPHABLENDENABLE] = FALSE; p.alpha = 0x80; }, true},
      {"untextured", [](SPRITE& p) { p.state.texture = nullptr; }, true},
      {"a pixel not opaque", [&](SPRITE& p) { p.state.texture = filled(false); }, false},
      {"a vertex not opaque", [](SPRITE& p) { p.alpha = 0xFE; }, false},
      {"additive", [](SPRITE& p) { p.state.render[D3DRS_DESTBLEND] = D3DBLEND_ONE; }, false},
      {"border colour", [](SPRITE& p) { p.state.sampler0[D3DSAMP_ADDRESSU] = D3DTADDRESS_BORDER; }, false},
      {"depth test", [](SPRITE& p) { p.state.render[D3DRS_ZENABLE] = TRUE; }, false},
      {"culled", [](SPRITE& p) { p.mirrored = true; }, false},
      {"kept mirrored", [](SPRITE& p) { p.mirrored = true; p.state.render[D3DRS_CULLMODE] = D3DCULL_NONE; }, true},
      {"not a rectangle", [](SPRITE& p) { p.x1 = p.x0; }, false},
      {"under the highlight", [](SPRITE&) {}, false, true},
  };
  for (const CASE& c : cases) {
    SPRITE picture{96, 96, 416, 352, 0xFF, back, false};
    picture.state.texture = filled(true);
    c.change(picture);
    const auto frameWith = [&](std::uint8_t glowAlpha, std::vector<GlRect>& bounds) {
      GlFrame frame;
      frame.fAddClear(state, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
      add(frame, {0, 0, kSize, kSize, 0xFF, back, false});
      if (c.pictureFirst) add(frame, picture);
      add(frame, {64, 64, 448, 384, glowAlpha, glow, false});
      if (!c.pictureFirst) add(frame, picture);
      add(frame, {96, 96, 416, 352, 0xFF, face, false});
      add(frame, {0, 0, kSize, kSize, 0x00, face, false});
      bounds.clear();
      for (std::size_t i = 0; i < frame.fSize(); ++i) bounds.push_back(host_gl::fCommandBounds(frame, i, kSize, kSize));
      return frame;
    };
    std::vector<GlRect> shownBounds;
    std::vector<GlRect> frameBounds;
    const GlFrame shown = frameWith(0x40, shownBounds);
    const GlFrame frame = frameWith(0x48, frameBounds);
    const std::optional<host_gl::GlChanges> changes =
        host_gl::fChangedRects(shown, shownBounds, frame, frameBounds, kSize, kSize);
    ASSERT_TRUE(changes.has_value()) << c.name;
    long long area = 0;
    GlRect all;
    for (const GlRect& box : changes->boxes) {
      area += box.fArea();
      all = all.fUnion(box);
      EXPECT_EQ(box.fIntersects(inside), !c.covered) << c.name;
    }
    EXPECT_EQ(all, glowBox) << c.name;
    if (c.covered) {
      // The rim: the highlight's box less the picture's, within a pixel or two of its edges.
      EXPECT_LE(area, glowBox.fArea() - inside.fArea()) << c.name;
    } else {
      EXPECT_EQ(area, glowBox.fArea()) << c.name;
    }
  }
}

}  // namespace
