// The OpenGL device draws a changed frame only in the boxes its changes cover, less what opaque
// pictures drawn after them hide, from the picture the unchanged first commands left there when it
// can, and gives image textures' storage back while they are unused. None of it may change a
// single pixel: random sequences of frames (sprites moving, fading to nothing, turning, changing
// texture and blending, some of them opaque; a sprite fading every frame; lines, squares and point
// sprites; texture pixels rewritten; items coming and going; frames that repeat) are drawn with
// all of it on, every image texture given back after every frame, and again with the boxes off and
// the images' pixels taken under a lock, and the pictures are compared byte for byte.
#include "engine/objects/qc_particle.h"
#include "engine/render/qc_render.h"
#include "host/recording_device.h"
#include "tests/engine/render/render_test_kit.h"
#include "tests/host/image_bytes.h"
#include "tests/kit/gl_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

using namespace QOR;
using namespace render_test;

namespace {

constexpr int kFillTextures = 3;   // filled through locks, the last one opaque
constexpr int kImageTextures = 3;  // made from PNG bytes
constexpr int kFrames = 48;

// One thing a frame draws, in the order of the frame's list.
struct ITEM {
  int kind = 0;  // 0 sprite, 1 untextured quad, 2 line, 3 square, 4 point sprites
  int texture = 0;
  float x = 0.0f;
  float y = 0.0f;
  float w = 0.0f;
  float h = 0.0f;
  float angle = 0.0f;
  std::uint32_t argb = 0xFFFFFFFFu;
  int blend = 0;  // 0 alpha, 1 additive, 2 opaque
  int filter = 1;
};

class RenderGlRedraw : public qor_test::GlRenderTest {
 protected:
  void TearDown() override {
    host_test::fSetGlPartialRedraw(true);
    host_test::fSetGlTextureRest(std::chrono::milliseconds(3000));
    qor_test::GlRenderTest::TearDown();
  }

  static ITEM randomItem(std::mt19937& random) {
    std::uniform_real_distribution<float> place(-60.0f, 1060.0f);
    std::uniform_real_distribution<float> size(2.0f, 300.0f);
    ITEM item;
    item.kind = static_cast<int>(random() % 5);
    item.texture = static_cast<int>(random() % (kFillTextures + kImageTextures));
    item.x = place(random);
    item.y = place(random) * 0.75f;
    item.w = size(random);
    item.h = size(random);
    item.angle = random() % 3 == 0 ? static_cast<float>(random() % 628) / 100.0f : 0.0f;
    item.argb = static_cast<std::uint32_t>(random());
    if (random() % 4 == 0) item.argb &= 0x00FFFFFFu;  // fully transparent
    if (random() % 3 == 0) item.argb |= 0xFF000000u;  // opaque: on the opaque texture, it hides what lies under it
    item.blend = static_cast<int>(random() % 3);
    item.filter = 1 + static_cast<int>(random() % 2);
    return item;
  }

  // A small change of one item, as animations make them: a move, a fade, a turn, another texture
  // or blending.
  static void nudge(ITEM& item, std::mt19937& random) {
    switch (random() % 5) {
      case 0:
        item.x += static_cast<float>(static_cast<int>(random() % 21) - 10);
        item.y += static_cast<float>(static_cast<int>(random() % 21) - 10);
        break;
      case 1:
        item.argb = (item.argb & 0x00FFFFFFu) | (static_cast<std::uint32_t>(random() % 256) << 24);
        break;
      case 2:
        item.angle += 0.05f;
        break;
      case 3:
        item.texture = static_cast<int>(random() % (kFillTextures + kImageTextures));
        break;
      default:
        item.blend = static_cast<int>(random() % 3);
        break;
    }
  }

  static QC_RENDER_STATE stateOf(const ITEM& item, int primitive, bool textured) {
    QC_RENDER_STATE state;
    state.fSet(item.blend == 2 ? QC_RENDER_STATE::kOpaque : QC_RENDER_STATE::kAlphaBlend, true);
    state.fSet(QC_RENDER_STATE::kAdditive, item.blend == 1);
    state.fSetPrimitive(primitive);
    state.fSetFilter(item.filter);
    state.fSet(QC_RENDER_STATE::kTextured, textured);
    state.fSet(QC_RENDER_STATE::kScreen, true);
    return state;
  }

  void drawItem(const ITEM& item, const std::vector<QC_TEXTURE_INFO*>& textures) {
    QC_TEXTURE_INFO* texture = textures[static_cast<std::size_t>(item.texture)];
    switch (item.kind) {
      case 0:
      case 1: {
        std::vector<QS_VERTEX> quad = fQuad(item.x, item.y, item.w, item.h, item.argb);
        // Turned about its centre, as a sprite with a rotation is.
        const float cx = item.x + item.w / 2.0f;
        const float cy = item.y + item.h / 2.0f;
        for (QS_VERTEX& v : quad) {
          const float dx = v.x - cx;
          const float dy = v.y - cy;
          v.x = cx + dx * std::cos(item.angle) - dy * std::sin(item.angle);
          v.y = cy + dx * std::sin(item.angle) + dy * std::cos(item.angle);
        }
        const bool textured = item.kind == 0;
        const QC_RENDER_STATE state = stateOf(item, 2, textured);
        render->fDrawBatch(quad.data(), textured ? texture : nullptr, &state, 4, kQuadIndices, 6);
        break;
      }
      case 2:
        render->fDrawLine(static_cast<int>(item.x), static_cast<int>(item.y), static_cast<int>(item.x + item.w),
                          static_cast<int>(item.y + item.h), item.argb);
        break;
      case 3:
        render->fDrawSquare(static_cast<int>(item.x), static_cast<int>(item.y), item.argb, item.w / 4.0f);
        break;
      default: {
        std::vector<QC_PARTICLE> points(5);
        for (std::size_t i = 0; i < points.size(); ++i) {
          points[i]._base._position = QS_VEC3(item.x + 20.0f * static_cast<float>(i), item.y, 0.0f);
          points[i]._base._size = 1.0f + item.w / 8.0f;
          points[i]._base._color = item.argb;
          points[i]._next = i + 1 < points.size() ? &points[i + 1] : nullptr;
        }
        const QC_RENDER_STATE state = stateOf(item, 3, true);
        render->fDrawParticles(points.data(), texture, &state);
        break;
      }
    }
  }

  // The frames of one seed drawn on new textures; the picture after each. Image textures take
  // their pixels from a lock at once when lockImages is set, else when first drawn.
  std::vector<qor_test::Picture> drawSequence(unsigned seed, bool lockImages) {
    std::mt19937 random(seed);
    std::vector<QC_TEXTURE_INFO*> textures;
    for (int i = 0; i < kFillTextures; ++i) {
      std::vector<std::uint32_t> words(32 * 16);
      for (std::uint32_t& word : words) word = static_cast<std::uint32_t>(random()) | (i == kFillTextures - 1 ? 0xFF000000u : 0u);
      textures.push_back(texture(32, 16, words));
    }
    for (int i = 0; i < kImageTextures; ++i) {
      std::vector<std::uint8_t> rgba(24 * 40 * 4);
      for (std::uint8_t& byte : rgba) byte = static_cast<std::uint8_t>(random());
      const std::vector<std::uint8_t> png = image_bytes::fPng(24, 40, rgba);
      textures.push_back(render->fLoadTextureFromMemory(png.data(), png.size(), "unnamed"));
      EXPECT_NE(textures.back(), render->fGetDefaultTexture());
      if (lockImages) {
        EXPECT_NE(render->fTextureLock(textures.back()), nullptr);
        EXPECT_TRUE(render->fTextureUnlock(textures.back()));
      }
    }
    std::vector<ITEM> items;
    for (int i = 0; i < 40; ++i) items.push_back(randomItem(random));
    // A sprite that fades in every frame, drawn two thirds into the list, as a hint blinks over
    // the board: its box is drawn again each frame from the picture under it.
    ITEM blinker = randomItem(random);
    blinker.kind = 0;

    std::vector<qor_test::Picture> pictures;
    for (int frame = 0; frame < kFrames; ++frame) {
      const unsigned change = random() % 10;
      if (change < 5) {
        for (unsigned n = 1 + random() % 3; n > 0; --n) nudge(items[random() % items.size()], random);
      } else if (change == 5) {
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(random() % items.size()), randomItem(random));
      } else if (change == 6 && items.size() > 2) {
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(random() % items.size()));
      } else if (change == 7) {
        // New pixels for a texture: an image texture's no longer come from its image.
        QC_TEXTURE_INFO* t = textures[random() % textures.size()];
        std::vector<std::uint32_t> words(static_cast<std::size_t>(t->fGetWidth() * t->fGetHeight()));
        const std::uint32_t opaque = random() % 2 == 0 ? 0xFF000000u : 0u;
        for (std::uint32_t& word : words) word = static_cast<std::uint32_t>(random()) | opaque;
        EXPECT_TRUE(t->fFill(words.data()));
      }  // else the frame repeats the last one
      blinker.argb = (blinker.argb & 0x00FFFFFFu) | (static_cast<std::uint32_t>(frame * 37 % 256) << 24);
      pictures.push_back(this->frame([&] {
        for (std::size_t i = 0; i < items.size(); ++i) {
          if (i == items.size() * 2 / 3) drawItem(blinker, textures);
          drawItem(items[i], textures);
        }
      }));
    }
    for (QC_TEXTURE_INFO* t : textures) render->fReleaseTexture(t);
    return pictures;
  }
};

TEST_F(RenderGlRedraw, BoxRedrawsAndGivenBackTexturesGiveExactlyTheWholeRedrawsPictures) {
  for (unsigned seed : {11u, 12u, 13u}) {
    host_test::fSetGlPartialRedraw(true);
    host_test::fSetGlTextureRest(std::chrono::milliseconds(0));
    const std::vector<qor_test::Picture> boxes = drawSequence(seed, false);
    host_test::fSetGlPartialRedraw(false);
    host_test::fSetGlTextureRest(std::chrono::milliseconds(3000));
    const std::vector<qor_test::Picture> whole = drawSequence(seed, true);
    ASSERT_EQ(boxes.size(), whole.size());
    for (std::size_t frame = 0; frame < boxes.size(); ++frame) {
      ASSERT_EQ(boxes[frame].rgba.size(), whole[frame].rgba.size());
      std::size_t differ = 0;
      std::size_t first = 0;
      for (std::size_t i = 0; i < boxes[frame].rgba.size(); i += 4) {
        if (std::memcmp(&boxes[frame].rgba[i], &whole[frame].rgba[i], 4) != 0 && differ++ == 0) first = i / 4;
      }
      ASSERT_EQ(differ, 0u) << "seed " << seed << ", frame " << frame << ": first at ("
                            << first % static_cast<std::size_t>(boxes[frame].width) << ", "
                            << first / static_cast<std::size_t>(boxes[frame].width) << ")";
    }
  }
}

}  // namespace
