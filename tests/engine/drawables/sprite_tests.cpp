// Sprites and meshes on the recording device: the quad, anchors, frame grids and UVs, colours,
// the blend and filter switches, drawing with transforms and parents, fRenderAt, ownership.
#include "engine/render/qc_mesh.h"
#include "engine/render/qc_sprite.h"
#include "tests/engine/drawables/drawables_test_kit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

using namespace QOR;
using drawables_test::RecordingRenderer;

namespace {

class Sprite : public RecordingRenderer {};

// The four corners (x, y) of a drawn quad.
void expectCorners(const std::vector<QS_VERTEX>& v, std::size_t first, float left, float top, float right,
                   float bottom) {
  ASSERT_GE(v.size(), first + 4);
  EXPECT_NEAR(v[first].x, left, 1e-3f);
  EXPECT_NEAR(v[first].y, top, 1e-3f);
  EXPECT_NEAR(v[first + 1].x, right, 1e-3f);
  EXPECT_NEAR(v[first + 1].y, top, 1e-3f);
  EXPECT_NEAR(v[first + 2].x, right, 1e-3f);
  EXPECT_NEAR(v[first + 2].y, bottom, 1e-3f);
  EXPECT_NEAR(v[first + 3].x, left, 1e-3f);
  EXPECT_NEAR(v[first + 3].y, bottom, 1e-3f);
}

TEST_F(Sprite, ANewSpriteIsAWhiteImageSizedQuadPlacedByItsCentre) {
  QC_SPRITE sprite(texture);
  EXPECT_TRUE(sprite.isOwningTransform());
  QC_RENDER_STATE expected;
  expected.fSet(QC_RENDER_STATE::kAlphaBlend | QC_RENDER_STATE::kTextured, true);
  expected.fSetPrimitive(2);
  expected.fSetFilter(3);
  EXPECT_EQ(sprite.fGetRenderState(), expected);

  sprite.fSetPosition(200.0f, 100.0f, 0.0f);
  sprite.fRender();
  const auto v = drawn();
  expectCorners(v, 0, 168.0f, 84.0f, 232.0f, 116.0f);
  EXPECT_FLOAT_EQ(v[2].u, 1.0f);
  EXPECT_FLOAT_EQ(v[2].v, 1.0f);
  EXPECT_EQ(v[3].color.fGetARGB(), 0xFFFFFFFFu);
}

TEST_F(Sprite, EveryAnchorModePutsThePivotOnItsPointOfTheQuad) {
  QC_SPRITE sprite(texture);
  sprite.fSetSize(100, 50);
  const float expected[9][2] = {{50, 25}, {0, 0}, {100, 0}, {0, 50}, {100, 50}, {50, 0}, {50, 50}, {0, 25}, {100, 25}};
  for (int mode = 0; mode < 9; ++mode) {
    sprite.fSetAnchor(mode, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(sprite.fGetTransform()->_pivot.x, expected[mode][0]) << "mode " << mode;
    EXPECT_FLOAT_EQ(sprite.fGetTransform()->_pivot.y, expected[mode][1]) << "mode " << mode;
  }
  sprite.fSetAnchor(4, 3.0f, -2.0f);
  EXPECT_FLOAT_EQ(sprite.fGetTransform()->_pivot.x, 103.0f);
  EXPECT_FLOAT_EQ(sprite.fGetTransform()->_pivot.y, 48.0f);
  // An unknown mode leaves the pivot where it was.
  sprite.fSetAnchor(9, 0.0f, 0.0f);
  sprite.fSetAnchor(-1, 0.0f, 0.0f);
  EXPECT_FLOAT_EQ(sprite.fGetTransform()->_pivot.x, 103.0f);

  // The pivot is the point that the position places: top-left at the position, and so on.
  sprite.fSetPosition(300.0f, 200.0f, 0.0f);
  sprite.fSetAnchor(1, 0.0f, 0.0f);
  sprite.fRender();
  sprite.fSetAnchor(4, 0.0f, 0.0f);
  sprite.fRender();
  sprite.fSetAnchor(6, 0.0f, 0.0f);
  sprite.fRender();
  const auto v = drawn();
  expectCorners(v, 0, 300.0f, 200.0f, 400.0f, 250.0f);
  expectCorners(v, 4, 200.0f, 150.0f, 300.0f, 200.0f);
  expectCorners(v, 8, 250.0f, 150.0f, 350.0f, 200.0f);
}

TEST_F(Sprite, PageAnchorsUseIntegerHalvesOfThePageSize) {
  QC_TEXTURE_INFO* odd = render->fCreateTexture(15, 9);
  QC_SPRITE sprite(odd);
  sprite.fSetAnchorPage(0, 0.0f, 0.0f);
  EXPECT_FLOAT_EQ(sprite.fGetTransform()->_pivot.x, 7.0f);
  EXPECT_FLOAT_EQ(sprite.fGetTransform()->_pivot.y, 4.0f);
  sprite.fSetAnchor(0, 0.0f, 0.0f);
  EXPECT_FLOAT_EQ(sprite.fGetTransform()->_pivot.x, 7.5f);
  // The page size, not the quad, counts for page anchors.
  sprite.fSetSize(100, 100);
  sprite.fSetPageSize(4, 10);
  sprite.fSetAnchorPage(8, 1.0f, 0.0f);
  EXPECT_FLOAT_EQ(sprite.fGetTransform()->_pivot.x, 5.0f);
  EXPECT_FLOAT_EQ(sprite.fGetTransform()->_pivot.y, 5.0f);
}

TEST_F(Sprite, FrameGridsPickCellsRowMajorFromTheTopLeft) {
  QC_SPRITE sprite(texture);
  sprite.fSetFrame(9, 6, 10);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(0)->u, 1.0f / 9.0f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(0)->v, 1.0f / 6.0f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(2)->u, 2.0f / 9.0f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(2)->v, 2.0f / 6.0f);
  // A strip of button states.
  sprite.fSetFrame(5, 1, 3);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(0)->u, 0.6f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(2)->u, 0.8f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(2)->v, 1.0f);
  // A grid without columns or rows would divide by zero: nothing changes.
  sprite.fSetFrame(0, 6, 1);
  sprite.fSetFrame(5, 0, 1);
  sprite.fSetFrame(-3, 1, 1);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(0)->u, 0.6f);
  // The quad keeps its size through frame changes.
  EXPECT_FLOAT_EQ(sprite.fGetWidth(), 64.0f);
}

TEST_F(Sprite, UVRectanglesPixelRectsAndFitting) {
  QC_SPRITE sprite(texture);
  // Left u above right u mirrors the picture.
  sprite.fSetUV(1.0f, 0.0f, 0.0f, 1.0f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(0)->u, 1.0f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(1)->u, 0.0f);
  sprite.fSetPixelRect(16, 8, 48, 24);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(0)->u, 0.25f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(0)->v, 0.25f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(2)->u, 0.75f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(2)->v, 0.75f);
  // Fitting shows one texel per pixel: a quad twice the image's height repeats it.
  sprite.fSetSize(32, 64);
  sprite.fFitUV();
  EXPECT_FLOAT_EQ(sprite.fGetVertex(0)->u, 0.0f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(2)->u, 0.5f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(2)->v, 2.0f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(3)->v, 2.0f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(1)->v, 0.0f);

  // Without an image there is no texel size: pixel rects and fitting change nothing.
  QC_SPRITE blank(static_cast<QC_TEXTURE_INFO*>(nullptr));
  EXPECT_FLOAT_EQ(blank.fGetWidth(), 0.0f);
  blank.fSetSize(10, 10);
  blank.fFitUV();
  blank.fSetPixelRect(1, 1, 2, 2);
  EXPECT_FLOAT_EQ(blank.fGetVertex(2)->u, 1.0f);
  EXPECT_FLOAT_EQ(blank.fGetVertex(2)->v, 1.0f);
}

TEST_F(Sprite, ColoursReachTheDrawnVertices) {
  QC_SPRITE sprite(texture);
  sprite.fSetColor(0x80FF2010u);
  EXPECT_EQ(sprite.fGetColor(), 0x80FF2010u);
  sprite.fRender();
  auto v = drawn();
  ASSERT_EQ(v.size(), 4u);
  for (const auto& vertex : v) EXPECT_EQ(vertex.color.fGetARGB(), 0x80FF2010u);

  sprite.fSetCornerColors(0xFF000001u, 0xFF000002u, 0xFF000003u, 0xFF000004u);
  EXPECT_EQ(sprite.fGetVertexColor(2), 0xFF000003u);
  EXPECT_EQ(sprite.fGetVertexColor(4), 0u);
  EXPECT_EQ(sprite.fGetVertexColor(-1), 0u);
  sprite.fRender();
  v = drawn();
  ASSERT_EQ(v.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(v[i].color.fGetARGB(), 0xFF000001u + i);

  sprite.fSetTransparentWhite();
  EXPECT_EQ(sprite.fGetVertexColor(3), 0x00FFFFFFu);
  sprite.fSetVertexColor(0xFF00FF00u, 7);  // outside the quad: nothing happens
}

TEST_F(Sprite, SettingAnImageMakesTheSpriteWhiteAndImageSizedAgain) {
  QC_SPRITE sprite(texture);
  sprite.fSetColor(0x80102030u);
  sprite.fSetSize(10, 10);
  sprite.fSetFrame(2, 2, 3);
  sprite.fAdditiveOn();
  sprite.fSetAnchor(1, 0.0f, 0.0f);
  QC_TEXTURE_INFO* other = render->fCreateTexture(20, 40);
  sprite.fSetImage(other);
  EXPECT_EQ(sprite.fGetTexture(), other);
  EXPECT_FLOAT_EQ(sprite.fGetWidth(), 20.0f);
  EXPECT_FLOAT_EQ(sprite.fGetHeight(), 40.0f);
  EXPECT_EQ(sprite.fGetVertexColor(0), 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(0)->u, 0.0f);
  EXPECT_FLOAT_EQ(sprite.fGetVertex(2)->v, 1.0f);
  // The transform and the render state stay as they were.
  EXPECT_FLOAT_EQ(sprite.fGetTransform()->_pivot.x, 0.0f);
  EXPECT_TRUE(sprite.fGetRenderState().isSet(QC_RENDER_STATE::kAdditive));
}

TEST_F(Sprite, AdditiveAndFilterSwitchesChangeTheStateTheBatchDrawsWith) {
  QC_SPRITE sprite(texture);
  sprite.fAdditiveOn();
  EXPECT_TRUE(sprite.fGetRenderState().isSet(QC_RENDER_STATE::kAdditive));
  sprite.fRender();
  EXPECT_TRUE(render->fGetCurrentState().isSet(QC_RENDER_STATE::kAdditive));
  sprite.fAdditiveOff();
  sprite.fRender();
  EXPECT_FALSE(render->fGetCurrentState().isSet(QC_RENDER_STATE::kAdditive));
  // The switch between the two draws made the batch draw twice, with DESTBLEND ONE then back.
  render->fFlush();
  EXPECT_EQ(host_test::fCountCalls("DrawIndexedPrimitive"), 2);
  bool sawOne = false;
  for (const auto& call : host_test::fRecordedCalls()) {
    if (call.name == "SetRenderState" && call.args.size() >= 2 &&
        call.args[0] == static_cast<double>(D3DRS_DESTBLEND)) {
      if (call.args[1] == static_cast<double>(D3DBLEND_ONE)) sawOne = true;
    }
  }
  EXPECT_TRUE(sawOne);

  sprite.fSetFilter(0x12);  // only the low four bits count
  EXPECT_EQ(sprite.fGetRenderState().fGetFilter(), 2);
  EXPECT_TRUE(sprite.fGetRenderState().isSet(QC_RENDER_STATE::kTextured));
}

TEST_F(Sprite, SpritesOnOneTextureAndStateShareOneDrawCall) {
  QC_SPRITE a(texture);
  QC_SPRITE b(texture);
  for (int i = 0; i < 10; ++i) {
    a.fSetPosition(static_cast<float>(i * 10), 0.0f, 0.0f);
    a.fRender();
    b.fRenderAt(static_cast<float>(i * 10), 50.0f, 0.0f, 1.0f, 1.0f);
  }
  render->fFlush();
  EXPECT_EQ(host_test::fCountCalls("DrawIndexedPrimitive"), 1);
  EXPECT_EQ(render->fGetDrawCount(), 20u);
}

TEST_F(Sprite, RenderInFrameCombinesTheParentChainAndRenderUsesTheTransformAlone) {
  QS_TRANSFORM3 grandparent;
  grandparent.fSetPosition(100.0f, 50.0f, 0.0f);
  QS_TRANSFORM3 parent;
  parent.fSetPosition(10.0f, 20.0f, 0.0f);
  parent.fSetParent(&grandparent);
  QS_TRANSFORM3 own;
  own.fSetPosition(5.0f, 5.0f, 0.0f);
  own.fSetParent(&parent);
  QC_SPRITE sprite(texture, &own);
  EXPECT_FALSE(sprite.isOwningTransform());
  EXPECT_EQ(sprite.fGetTransform(), &own);
  // A given transform keeps its pivot.
  EXPECT_FLOAT_EQ(own._pivot.x, 0.0f);

  sprite.fRenderInFrame(false, false, false);
  sprite.fRender();
  // The flags do not change the combination.
  sprite.fRenderInFrame(true, true, true);
  const auto v = drawn();
  expectCorners(v, 0, 115.0f, 75.0f, 179.0f, 107.0f);
  expectCorners(v, 4, 5.0f, 5.0f, 69.0f, 37.0f);
  expectCorners(v, 8, 115.0f, 75.0f, 179.0f, 107.0f);

  // A scaled parent scales the sprite and the child's position.
  parent._scale.fSet(2.0f, 2.0f, 1.0f);
  sprite.fRenderInFrame(false, false, false);
  const auto scaled = drawn();
  expectCorners(scaled, 0, 120.0f, 80.0f, 248.0f, 144.0f);
}

TEST_F(Sprite, MeshesDrawTheirOwnVerticesWithTheirTransform) {
  QS_VERTEX triangle[3];
  for (int i = 0; i < 3; ++i) {
    triangle[i].fSetPosition(i == 1 ? 10.0f : 0.0f, i == 2 ? 10.0f : 0.0f, 0.0f);
    triangle[i].nx = triangle[i].ny = triangle[i].nz = 0.0f;
    triangle[i].fSetColor(0xFF00FF00u);
    triangle[i].fSetUV(0.0f, 0.0f);
  }
  const std::uint16_t indices[3] = {0, 1, 2};
  QS_TRANSFORM3 parent;
  parent.fSetPosition(1000.0f, 1000.0f, 0.0f);
  QS_TRANSFORM3 transform;
  transform.fSetParent(&parent);
  QC_MESH mesh(triangle, 3, nullptr, &transform, indices, 3);
  EXPECT_EQ(mesh.fGetRenderState(), QC_RENDER_STATE());
  mesh.fSetPositionXY(50.0f, 60.0f);
  mesh.fSetAngle(std::numbers::pi_v<float> / 2.0f);
  mesh.fSetScale(2.0f, 0.0f, 1.0f);  // sy 0 means sy = sx
  EXPECT_FLOAT_EQ(transform._scale.y, 2.0f);
  // Vector equality compares lengths: components are compared one by one.
  EXPECT_FLOAT_EQ(mesh.fGetPosition().x, 50.0f);
  EXPECT_FLOAT_EQ(mesh.fGetPosition().y, 60.0f);
  mesh.fRender();
  const auto v = drawn();
  ASSERT_EQ(v.size(), 3u);
  // The parent is ignored; vertex 1 (10, 0) turns a quarter to (0, 10), scales to (0, 20).
  EXPECT_NEAR(v[0].x, 50.0f, 1e-3f);
  EXPECT_NEAR(v[0].y, 60.0f, 1e-3f);
  EXPECT_NEAR(v[1].x, 50.0f, 1e-3f);
  EXPECT_NEAR(v[1].y, 80.0f, 1e-3f);
  EXPECT_NEAR(v[2].x, 30.0f, 1e-3f);
  EXPECT_NEAR(v[2].y, 60.0f, 1e-3f);
  EXPECT_EQ(v[2].color.fGetARGB(), 0xFF00FF00u);

  // A mesh that makes its own vertices: white, zero, and freed with it.
  QC_MESH own(4, nullptr, nullptr, indices, 3);
  EXPECT_EQ(own.fGetCount(), 4);
  EXPECT_EQ(own.fGetColor(), 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(own.fGetVertex(3)->x, 0.0f);
  // Without a transform the edits do nothing and the position reads (0, 0).
  own.fSetPosition(1.0f, 2.0f, 3.0f);
  own.fSetScale(2.0f, 2.0f, 2.0f);
  EXPECT_FLOAT_EQ(own.fGetPosition().x, 0.0f);
  EXPECT_FLOAT_EQ(own.fGetPosition().y, 0.0f);
}

TEST_F(Sprite, RenderAtDrawsOnceAndPutsTheTransformBack) {
  QC_SPRITE sprite(texture);
  QS_TRANSFORM3& t = *sprite.fGetTransform();
  t.fSetPosition(5.0f, 6.0f, 7.0f);
  t.fSetRotation(0.1f, 0.2f, 0.3f);
  t.fSetScale(2.0f, 3.0f, 4.0f);
  sprite.fSetAnchor(1, 0.0f, 0.0f);
  sprite.fRenderAt(100.0f, 200.0f, 0.0f, 2.0f, 0.0f);
  const auto v = drawn();
  expectCorners(v, 0, 100.0f, 200.0f, 228.0f, 264.0f);
  EXPECT_FLOAT_EQ(t._position.x, 5.0f);
  EXPECT_FLOAT_EQ(t._position.y, 6.0f);
  EXPECT_FLOAT_EQ(t._position.z, 0.0f);  // z comes back as 0
  EXPECT_FLOAT_EQ(t._rotation.x, 0.1f);
  EXPECT_FLOAT_EQ(t._rotation.y, 0.2f);
  EXPECT_FLOAT_EQ(t._rotation.z, 0.3f);
  EXPECT_FLOAT_EQ(t._scale.x, 2.0f);
  EXPECT_FLOAT_EQ(t._scale.y, 3.0f);
  EXPECT_FLOAT_EQ(t._scale.z, 1.0f);  // scale z comes back as 1

  // A flattened sprite stays flat: a saved scale y of 0 is put back as 0.
  t.fSetScale(1.0f, 0.0f, 1.0f);
  sprite.fRenderAtXY(0.0f, 0.0f, 0.5f, 1.0f, 1.0f);
  EXPECT_FLOAT_EQ(t._scale.y, 0.0f);
  drawn();

  // Without a transform the mesh draws there under a temporary one.
  QS_VERTEX quad[4];
  for (int i = 0; i < 4; ++i) {
    quad[i].fSetPosition(i == 1 || i == 2 ? 10.0f : 0.0f, i >= 2 ? 10.0f : 0.0f, 0.0f);
    quad[i].nx = quad[i].ny = quad[i].nz = 0.0f;
    quad[i].fSetColor(0xFFFFFFFFu);
    quad[i].fSetUV(0.0f, 0.0f);
  }
  QC_MESH bare(quad, 4, nullptr, nullptr, QC_SPRITE::kQuadIndices, 6);
  bare.fRenderAt(40.0f, 30.0f, 0.0f, 3.0f, 0.0f);
  const auto b = drawn();
  expectCorners(b, 0, 40.0f, 30.0f, 70.0f, 60.0f);
}

TEST_F(Sprite, WithoutARendererNothingIsDrawnAndNothingBreaks) {
  QC_SPRITE sprite(texture);
  qcRENDER = nullptr;
  sprite.fRender();
  sprite.fRenderInFrame(false, false, false);
  sprite.fRenderAt(1.0f, 1.0f, 0.0f, 1.0f, 1.0f);
  QC_SPRITE fromFile("missing.png");
  EXPECT_EQ(fromFile.fGetTexture(), nullptr);
  EXPECT_FLOAT_EQ(fromFile.fGetWidth(), 0.0f);
  qcRENDER = render.get();
  EXPECT_TRUE(drawn().empty());
}

TEST_F(Sprite, AFileThatDoesNotLoadGivesTheDefaultTexture) {
  QC_SPRITE sprite("no_such_picture.png");
  EXPECT_EQ(sprite.fGetTexture(), render->fGetDefaultTexture());
  EXPECT_FLOAT_EQ(sprite.fGetWidth(), static_cast<float>(QC_RENDER::kDefaultTextureSide));
}

TEST_F(Sprite, ASpriteDeletesOnlyTheTransformItMadeItself) {
  QS_TRANSFORM3 shared;
  shared.fSetPosition(1.0f, 2.0f, 3.0f);
  {
    QC_SPRITE sprite(texture, &shared);
    // Swapping its own transform out and back never makes it delete a foreign one.
    QC_SPRITE own(texture);
    QS_TRANSFORM3* made = own.fSwapTransform(&shared);
    EXPECT_NE(made, nullptr);
    EXPECT_FALSE(own.isOwningTransform());
    EXPECT_EQ(own.fSetTransform(nullptr), nullptr);  // null is refused
    EXPECT_EQ(own.fGetTransform(), &shared);
    EXPECT_EQ(own.fSwapTransform(made), &shared);
    EXPECT_TRUE(own.isOwningTransform());
    // Replaced for good, the made transform is still freed with the sprite.
    QC_SPRITE other(texture);
    other.fSetTransform(&shared);
  }
  EXPECT_FLOAT_EQ(shared._position.z, 3.0f);  // still alive and untouched

  // A mesh that makes a transform to copy one into owns it; the parent link is not copied.
  QS_TRANSFORM3 source;
  source._leadingWord = 77;
  source.fSetPosition(4.0f, 5.0f, 6.0f);
  source.fSetParent(&shared);
  QC_MESH mesh;
  mesh.fCopyTransform(source);
  ASSERT_NE(mesh.fGetTransform(), nullptr);
  EXPECT_EQ(mesh.fGetTransform()->_leadingWord, 77u);
  EXPECT_FLOAT_EQ(mesh.fGetTransform()->_position.z, 6.0f);
  EXPECT_EQ(mesh.fGetTransform()->_parent, nullptr);
  // Into an existing transform, its own parent link stays.
  QS_TRANSFORM3 target;
  QS_TRANSFORM3 targetParent;
  target.fSetParent(&targetParent);
  QC_SPRITE sprite(texture, &target);
  sprite.fCopyTransform(source);
  EXPECT_EQ(target._parent, &targetParent);
  EXPECT_FLOAT_EQ(target._position.x, 4.0f);
}

TEST_F(Sprite, CopiesGetAFreshQuadAndCopyOnlyATransformTheSourceOwns) {
  QC_SPRITE owner(texture);
  owner.fGetTransform()->fSetPosition(9.0f, 8.0f, 7.0f);
  owner.fSetSize(5, 5);
  QC_SPRITE copy(owner);
  EXPECT_TRUE(copy.isOwningTransform());
  EXPECT_NE(copy.fGetTransform(), owner.fGetTransform());
  EXPECT_FLOAT_EQ(copy.fGetTransform()->_position.z, 7.0f);
  EXPECT_FLOAT_EQ(copy.fGetWidth(), 64.0f);
  EXPECT_NE(copy.fGetVertex(0), owner.fGetVertex(0));

  QS_TRANSFORM3 shared;
  QC_SPRITE sharing(texture, &shared);
  QC_SPRITE sharingCopy(sharing);
  EXPECT_EQ(sharingCopy.fGetTransform(), &shared);
  EXPECT_FALSE(sharingCopy.isOwningTransform());
}

}  // namespace
